#pragma once
// A main window on a temporary directory whose modal dialogs are answered
// by the test: message boxes and file dialogs are recorded and answered from
// queues, and each dialog shown modal runs the next scripted "user".

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/empty_registry.h"
#include "support/recording_processes.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

class QDialog;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace cuffware::testing {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    bool operator==(const ShownMessage&) const = default;
};

class WindowBench {
  public:
    // builder.ini: BIN=<dir>/q740, ASSEMBLER=c:\c88, STATES=states, VERSION=version.
    explicit WindowBench(int states = 3, const std::string& version = "740020");

    // Start-up with the argument text, then the window shown.
    void Start(const std::string& argumentText = "");

    std::string SdkPath() const { return dir / "q740"; }
    std::string SettingsPath() const { return dir / "builder.ini"; }

    QLineEdit* Field(const char* name);
    QPushButton* Button(const char* name);
    QString Status();

    // The tree's item of a node, and a mouse click on it.
    QTreeWidgetItem* Item(int node);
    void Click(int node);
    // Files dragged from a file manager and dropped on the tree; false when
    // the tree refused the drag.
    bool Drop(const QStringList& paths);
    // The texts of a node's children in the tree control.
    QStringList ChildTexts(int node);

    TempDir dir;
    RecordingProcesses processes;
    EmptyRegistry registry;
    MainWindow window;

    std::vector<ShownMessage> messages;
    std::deque<QString> fileAnswers;     // empty: cancelled
    std::vector<QStringList> fileAsked;  // title, filter
    std::deque<std::function<void(QDialog&)>> users;
};

}  // namespace cuffware::testing
