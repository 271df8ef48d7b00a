#pragma once
// The main window: lays out the controls, hands every edit, click, drop and
// menu entry to the MainWindowModel, and after each shows what the model
// holds. It is the model's UserPort: the status bar's first panel, message
// boxes and the open-file dialog.

#include <QMainWindow>
#include <QPointer>
#include <vector>

#include "app/window_models/main_window_model.h"
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

    // Start-up: the settings file, then the script the argument text names
    // when it is not blank. The window is not shown.
    void Start(const std::string& settingsPath, const std::string& argumentText);

    MainWindowModel& model() { return model_; }
    Workbench& bench() { return model_.bench(); }
    const MainWindowForm& form() const { return form_; }
    // Replaceable, so tests answer dialogs without a modal loop.
    ModalHooks& hooks() { return hooks_; }

    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> AskOpenFile(const OpenFileRequest& request) override;

  protected:
    // The other windows closed, most recent first, and the placement saved
    // unless minimized. The project is not saved.
    void closeEvent(QCloseEvent* event) override;

  private:
    void FitToScreen();
    void ConnectControls();
    void UpdateClock();

    // Runs what the user did on the model, then shows the model.
    template <class Event>
    void Handle(Event event);
    void ShowModel();

    void AnalyzeCuffware();
    void EditOptions();
    void ShowAbout();

    // A dialog shown modal, known to the close while it is open.
    void RunModal(QDialog& dialog);

    MainWindowForm form_;
    MainWindowModel model_;
    ModalHooks hooks_;
    QPointer<OptionsDialog> options_;
    std::vector<QPointer<QDialog>> openWindows_;
    QTimer* clock_ = nullptr;
};

}  // namespace cuffware
