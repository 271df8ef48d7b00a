#pragma once
// The builder's main window on the Windows API. It shows the Workbench's
// project in its controls and routes every button and menu entry to the
// Workbench action of the same meaning: before an action the controls'
// contents go into the project, after it the project comes back into the
// controls. It is the actions' UserPort: the status bar's first panel,
// message boxes and the open-file dialog, all through ModalHooks.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/workbench.h"
#include "platform/system_info.h"
#include "platform/user_settings.h"
#include "win32/dialog_window.h"
#include "win32/file_tree_view.h"
#include "win32/modal_hooks.h"
#include "win32/status_bar.h"

namespace cuffware {

class OptionsDialog;

class MainWindow : public DialogWindow, public UserPort {
  public:
    MainWindow(FileSystem& files, ProcessStarter& processes, Registry& registry,
               UserSettingsStore& settingsStore);
    ~MainWindow() override;

    // Start-up: the window is created hidden, loads the settings file, then
    // restores the script the argument text names when it is not blank.
    void Start(const std::string& settingsPath, const std::string& argumentText);

    Workbench& bench() { return bench_; }
    // Replaceable, so tests answer dialogs without a modal loop.
    ModalHooks& hooks() { return hooks_; }
    FileTreeView& tree() { return *tree_; }
    // The windows shown modally over this one, most recent last.
    const std::vector<HWND>& openWindows() const { return openWindows_; }

    // Runs when the window has closed (the program ends its message loop).
    std::function<void()> onClosed;

    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> AskOpenFile(const OpenFileRequest& request) override;

  protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR& header);
    // The window's unload: the other windows closed, most recent first, the
    // placement saved unless minimized. The project is not saved.
    void Unload();

    // Controls -> project, the action, project -> controls.
    template <class Action>
    void RunAction(Action action);
    void ReadControls();
    void ShowProject();
    // A dialog shown modal, known to the unload while it is open.
    void RunModal(HWND dialog);

    void AddFile();
    void RemoveFile();
    void NodeSelected();
    void FilesDropped(const std::vector<std::string>& paths);
    void AnalyzeCuffware();
    void EditOptions();
    void ShowAbout();

    Workbench bench_;
    Registry& registry_;
    UserSettingsStore& settingsStore_;
    ModalHooks hooks_;
    std::unique_ptr<StatusBar> statusBar_;
    std::unique_ptr<FileTreeView> tree_;
    std::unique_ptr<OptionsDialog> options_;
    std::vector<HWND> openWindows_;
    // The node to keep selected when the tree is shown again.
    int selectedNode_ = 0;
    // Set while the controls are being filled, so their change
    // notifications are not taken for the user's typing.
    bool showing_ = false;
};

}  // namespace cuffware
