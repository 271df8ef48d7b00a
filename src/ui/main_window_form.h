#pragma once
// The main window's controls and their layout. Each widget's objectName is
// its name here; the text fields and check boxes are kept by the model's
// field they show.

#include <array>

#include "app/window_models/main_window_model.h"
#include "app/window_models/menu_bar.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QStatusBar;

namespace cuffware {

class FileTreeWidget;

struct MainWindowForm {
    QGroupBox* parametersFrame = nullptr;
    std::array<QLineEdit*, kMainFieldCount> fields{};  // by MainField
    std::array<QCheckBox*, kMainCheckCount> checks{};  // by MainCheck

    QGroupBox* filesFrame = nullptr;
    FileTreeWidget* fileTree = nullptr;
    QPushButton* addFileButton = nullptr;
    QPushButton* removeFileButton = nullptr;

    QPushButton* createBuildScriptsButton = nullptr;
    QPushButton* runBuildScriptsButton = nullptr;
    QPushButton* createCuffwareButton = nullptr;
    QPushButton* analyzeCuffwareButton = nullptr;
    QPushButton* startDownloaderButton = nullptr;

    QStatusBar* statusBar = nullptr;
    QLabel* statusText = nullptr;
    QLabel* statusDate = nullptr;
    QLabel* statusTime = nullptr;

    std::array<QAction*, kMenuCommandCount> actions{};  // by MenuCommand

    QLineEdit* Field(MainField field) const { return fields[static_cast<size_t>(field)]; }
    QCheckBox* Check(MainCheck check) const { return checks[static_cast<size_t>(check)]; }
    QAction* Action(MenuCommand command) const { return actions[static_cast<size_t>(command)]; }

    // Creates the controls inside window: menus, the two frames side by side,
    // the button row and the status bar.
    void Build(QMainWindow* window);
};

}  // namespace cuffware
