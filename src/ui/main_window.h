#pragma once
// frmMain: the one window of the builder. It shows the Workbench's project
// in its controls and routes every button and menu entry to the Workbench
// action of the same name. Before an action the controls' contents go into
// the project; after it the project comes back into the controls. It is the
// actions' UserPort: the status bar's first panel, message boxes and the
// open-file dialog.

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

#include "app/main_window_model.h"
#include "app/workbench.h"
#include "platform/system_info.h"
#include "ui/main_window_form.h"
#include "ui/modal_hooks.h"

class QTimer;

namespace cuffware {

class OptionsDialog;

class MainWindow : public QMainWindow, public UserPort {
    Q_OBJECT
  public:
    MainWindow(FileSystem& files, ProcessStarter& processes, Registry& registry,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: the window's load with the settings file, then the script the
    // argument text names when it is not blank. The window is not shown.
    void Start(const std::string& settingsPath, const std::string& argumentText);

    Workbench& bench() { return bench_; }
    const MainWindowForm& form() const { return form_; }
    // Replaceable, so tests answer dialogs without a modal loop.
    ModalHooks& hooks() { return hooks_; }

    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> AskOpenFile(const OpenFileRequest& request) override;

  public slots:
    void CommandCreateScript_Click();
    void CommandBuildCuffware_Click();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    void CommandAddFile_Click();
    void CommandRemoveFile_Click();
    void TreeViewFileList_NodeClick();
    void TreeViewFileList_OLEDragDrop(const QStringList& paths);
    void TextFolderName_Change(const QString& text);
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileExit_Click();
    void mnuToolsOptions_Click();
    void mnuHelpAbout_Click();

  protected:
    // Form_Unload: the other windows closed, most recent first, and the
    // placement saved unless minimized. The project is not saved.
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load(const std::string& settingsPath);
    void ConnectControls();
    void UpdateClock();

    // Controls -> project, the action, project -> controls.
    template <class Action>
    void RunAction(Action action);
    void ReadControls();
    void ShowProject();

    // A dialog shown modal, known to the unload while it is open.
    void RunModal(QDialog& dialog);

    MainWindowForm form_;
    Workbench bench_;
    Registry& registry_;
    ModalHooks hooks_;
    QPointer<OptionsDialog> options_;
    std::vector<QPointer<QDialog>> openWindows_;
    QTimer* clock_ = nullptr;
    // The node to keep selected when the tree is shown again.
    int selectedNode_ = 0;
};

}  // namespace cuffware
