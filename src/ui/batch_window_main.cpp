// cuffware-batch-window BATCH: the build's window off Windows.

#include <QApplication>
#include <iostream>

#include "platform/program_directory.h"
#include "platform/program_version.h"
#include "ui/batch_window.h"
#include "ui/qt_text.h"

int main(int argc, char** argv) {
    if (cuffware::PrintVersionIfAsked({argv + 1, argv + argc}, "cuffware-batch-window", std::cout))
        return 0;
    QApplication app(argc, argv);
    QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        fprintf(stderr, "Usage: cuffware-batch-window BATCHFILE\n");
        return 2;
    }
    QString runner = cuffware::ToQt(cuffware::InProgramDirectory("cuffware-batch"));
    cuffware::BatchWindow window(runner, arguments[1]);
    window.show();
    window.Start();
    return app.exec();
}
