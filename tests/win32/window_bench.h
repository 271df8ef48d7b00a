#pragma once
// The main window created for real and driven by control messages; message
// boxes and the file dialog answer through a recording port, and each modal
// window is handed to the test instead of a modal loop.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/empty_registry.h"
#include "support/recording_processes.h"
#include "support/recording_user_port.h"
#include "support/temp_dir.h"
#include "win32/main_window.h"

namespace cuffware::testing {

class RecordingSettingsStore : public UserSettingsStore {
  public:
    Status SaveSetting(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) override {
        saved[application + "\\" + section + "\\" + key] = value;
        return Status::Ok();
    }
    std::map<std::string, std::string> saved;
};

class WindowBench : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    HWND Main() const { return window->hwnd(); }
    HWND Item(int id) const { return GetDlgItem(Main(), id); }
    std::string Text(HWND control) const;
    // The status bar's first panel.
    std::string StatusText() const;
    // Replaces a field's text as typing does: the change reaches the window.
    void Type(int id, const std::string& text);
    void Press(HWND button);
    void Press(int id) { Press(Item(id)); }
    void Command(int id);
    // The tree: select a node by number; its rows as "  [x] *text" (indent
    // per level, check mark, * for bold).
    void Select(int node);
    HTREEITEM ItemOfNode(int node) const;
    std::vector<std::string> TreeRows() const;
    void Drop(const std::vector<std::wstring>& paths);
    // Runs what was posted to the windows.
    static void Pump();

    TempDir dir;
    RecordingProcesses processes;
    EmptyRegistry registry;
    RecordingSettingsStore store;
    RecordingUserPort user;
    std::unique_ptr<MainWindow> window;
    // Gets each dialog the window shows modally; it must hide it.
    std::function<void(HWND dialog)> onModal;
};

}  // namespace cuffware::testing
