#pragma once
// The builder's main window on the Windows API. It lays out its controls,
// tells the window model what the user did, and after every call shows what
// the model holds. It is the model's UserPort: the status bar's first panel,
// message boxes and the open-file dialog, all through ModalHooks.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/window_models/main_window_model.h"
#include "win32/dialog_window.h"
#include "win32/file_tree_view.h"
#include "win32/modal_hooks.h"
#include "win32/status_bar.h"
#include "win32/user_settings.h"

namespace cuffware {

class OptionsDialog;

class MainWindow : public DialogWindow, public UserPort {
  public:
    MainWindow(FileSystem& files, ProcessStarter& processes, Registry& registry,
               UserSettingsStore& settingsStore);
    ~MainWindow() override;

    // Start-up: the window, created hidden, shows the model after it has
    // read the settings file and restored the script the argument names.
    void Start(const std::string& settingsPath, const std::string& argumentText);

    MainWindowModel& model() { return model_; }
    // Replaceable, so tests answer dialogs without a modal loop.
    ModalHooks& hooks() { return hooks_; }
    FileTreeView& tree() { return *tree_; }

    // Runs when the window has closed (the program ends its message loop).
    std::function<void()> onClosed;

    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> AskOpenFile(const OpenFileRequest& request) override;

  protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void OnCommand(int id, int code);
    // The window's unload: the other windows closed, most recent first, the
    // placement saved unless minimized. The project is not saved.
    void Unload();

    // Tells the model, then shows what it holds.
    template <class Action>
    void Act(Action action);
    void ShowModel();
    // A dialog shown modal, known to the unload while it is open.
    void RunModal(HWND dialog);

    void AnalyzeCuffware();
    void EditOptions();
    void ShowAbout();

    MainWindowModel model_;
    UserSettingsStore& settingsStore_;
    ModalHooks hooks_;
    std::unique_ptr<StatusBar> statusBar_;
    std::unique_ptr<FileTreeView> tree_;
    std::unique_ptr<OptionsDialog> options_;
    std::vector<HWND> openWindows_;
    // Set while the controls are being filled, so their change
    // notifications are not taken for the user's typing.
    bool showing_ = false;
};

}  // namespace cuffware
