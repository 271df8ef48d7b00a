// cuffware-builder: the window program.
//
//   cuffware-builder [--settings FILE] [SCRIPT]
//
// The words after the options, joined by blanks, are the argument text: a
// builder script to open at start when it is not blank. --settings replaces
// the settings file the program's directory calls for; --version prints the
// version and that file, --help the usage.

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/actions/program_settings.h"
#include "app/window_models/builder_arguments.h"
#include "platform/file_system.h"
#include "platform/host_process.h"
#include "platform/program_version.h"
#include "platform/system_info.h"
#include "platform/user_port.h"
#include "ui/main_window.h"

namespace {

// For the documentation's screenshots: CUFFWARE_BUILDER_OPEN=options,
// analysis or about opens that window once the main window is up.
void OpenRequestedWindow(cuffware::MainWindow& window) {
    QString requested = qEnvironmentVariable("CUFFWARE_BUILDER_OPEN");
    const cuffware::MainWindowForm& form = window.form();
    if (requested == "options")
        form.Action(cuffware::MenuCommand::ToolsOptions)->trigger();
    else if (requested == "analysis")
        form.analyzeCuffwareButton->click();
    else if (requested == "about")
        form.Action(cuffware::MenuCommand::HelpAbout)->trigger();
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so it needs no display.
    if (std::optional<std::string> answer = cuffware::ConsoleAnswer({argv + 1, argv + argc})) {
        std::cout << *answer;
        return 0;
    }
    QApplication application(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName(cuffware::kApplicationTitle);
    QApplication::setOrganizationName(cuffware::kApplicationTitle);
    cuffware::BuilderArguments arguments =
        cuffware::ParseBuilderArguments(std::vector<std::string>(argv + 1, argv + argc));

    cuffware::MainWindow window(cuffware::DiskFileSystem(), cuffware::HostProcesses(),
                                cuffware::HostRegistry());
    window.Start(arguments.settingsPath, arguments.argumentText);
    window.show();
    QTimer::singleShot(0, &window, [&window] { OpenRequestedWindow(window); });
    return application.exec();
}
