// cuffware-batch-window BATCH: the build's window off Windows.
// cuffware-batch-window --run TITLE PROGRAM [ARGUMENT...]: a console
// program's window (the downloader's), open until the user closes it.

#include <QApplication>
#include <iostream>
#include <memory>

#include "platform/host_path.h"
#include "platform/program_directory.h"
#include "platform/program_version.h"
#include "ui/batch_window.h"
#include "ui/qt_text.h"

int main(int argc, char** argv) {
    cuffware::AnchorWinePrefix();
    if (cuffware::PrintVersionIfAsked({argv + 1, argv + argc}, "cuffware-batch-window", std::cout))
        return 0;
    QApplication app(argc, argv);
    QStringList arguments = app.arguments();
    bool program = arguments.size() >= 4 && arguments[1] == "--run";
    if (arguments.size() != 2 && !program) {
        fprintf(stderr,
                "Usage: cuffware-batch-window BATCHFILE\n"
                "       cuffware-batch-window --run TITLE PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    QString runner = cuffware::ToQt(cuffware::InProgramDirectory("cuffware-batch"));
    std::unique_ptr<cuffware::BatchWindow> window =
        program
            ? std::make_unique<cuffware::BatchWindow>(arguments[2], arguments[3], arguments.mid(4))
            : std::make_unique<cuffware::BatchWindow>(runner, arguments[1]);
    window->show();
    window->Start();
    return app.exec();
}
