#pragma once
// The main window's controls and their layout, named as the window's
// handlers and tests know them (each widget's objectName is its name here).

#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QStatusBar;
class QWidget;

namespace cuffware {

class FileTreeWidget;

struct MainWindowForm {
    QGroupBox* FrameParameters = nullptr;
    QLineEdit* TextApplicationName = nullptr;
    QLineEdit* TextFolderName = nullptr;
    QLineEdit* TextDescription = nullptr;
    QLineEdit* TextBannerLine1 = nullptr;
    QLineEdit* TextBannerLine2 = nullptr;
    QLineEdit* TextVersionRequired = nullptr;
    QLineEdit* TextPCInterface = nullptr;
    QCheckBox* CheckPasswordSupport = nullptr;
    QCheckBox* CheckDatabaseSupport = nullptr;
    QLineEdit* TextHeaderDirectory = nullptr;
    QLineEdit* TextSourceDirectory = nullptr;
    QLineEdit* TextBuildDirectory = nullptr;
    QLineEdit* TextIncludeDirectory = nullptr;
    QLineEdit* TextAssemblerDirectory = nullptr;

    QGroupBox* FrameFiles = nullptr;
    FileTreeWidget* TreeViewFileList = nullptr;
    QPushButton* CommandAddFile = nullptr;
    QPushButton* CommandRemoveFile = nullptr;

    QPushButton* CommandCreateScript = nullptr;
    QPushButton* CommandBuildCuffware = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;

    QStatusBar* sbStatusBar = nullptr;
    QLabel* StatusText = nullptr;
    QLabel* StatusDate = nullptr;
    QLabel* StatusTime = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuToolsOptions = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // The fields a non-blank folder name unlocks.
    std::vector<QLineEdit*> DetailFields() const;

    // Creates the controls inside window: menus, the two frames side by side,
    // the button row and the status bar.
    void Build(QMainWindow* window);
};

}  // namespace cuffware
