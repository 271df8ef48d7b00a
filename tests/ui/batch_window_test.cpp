// The build's window: live output, closing after a good build, staying open
// after a failed one; as a console program's window, staying open.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include "ui/batch_window.h"

namespace cuffware {

class BatchWindowTest : public QObject {
    Q_OBJECT

  private:
    // A stand-in runner: prints its argument and ends with the given status.
    QString Runner(int status) {
        QString path = dir_.filePath(QString("runner%1.sh").arg(status));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QString("#!/bin/sh\necho \"running $1\"\necho step two\nexit %1\n")
                       .arg(status)
                       .toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    // A stand-in runner whose build fails at an error between many lines.
    QString FailingRunner() {
        QString path = dir_.filePath("failing.sh");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(
            "#!/bin/sh\n"
            "i=0; while [ $i -lt 200 ]; do echo \"as88 step $i\"; i=$((i+1)); done\n"
            "echo \"clock.asm:12: unknown instruction or directive 'FROBNICATE'\"\n"
            "echo \"util.asm:43: DIV takes no operand\"\n"
            "i=0; while [ $i -lt 200 ]; do echo \"del step $i\"; i=$((i+1)); done\n"
            "exit 1\n");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QTemporaryDir dir_;

  private slots:
    void AGoodBuildShowsItsOutputAndCloses() {
        BatchWindow window(Runner(0), dir_.filePath("build.bat"));
        window.show();
        window.Start();
        QTRY_VERIFY(window.Finished());
        QVERIFY(window.Output().contains("running " + dir_.filePath("build.bat")));
        QVERIFY(window.Output().contains("step two"));
        QVERIFY(!window.isVisible());
    }

    void AFailedBuildStaysOpenUntilClosed() {
        BatchWindow window(Runner(1), dir_.filePath("build.bat"));
        window.show();
        auto* close = window.findChild<QPushButton*>("ButtonClose");
        QVERIFY(!close->isEnabled());
        window.Start();
        QTRY_VERIFY(window.Finished());
        QVERIFY(window.isVisible());
        QVERIFY(window.findChild<QLabel*>("LabelState")->text().contains("failed"));
        QVERIFY(close->isEnabled());
        close->click();
        QVERIFY(!window.isVisible());
    }

    // A failed build's report opens at its first error, at the top of the
    // view, not at the end of the batch's lines.
    void AFailedBuildsReportOpensAtItsFirstError() {
        BatchWindow window(FailingRunner(), dir_.filePath("build.bat"));
        window.show();
        window.Start();
        QTRY_VERIFY(window.Finished());
        auto* output = window.findChild<QPlainTextEdit*>("TextOutput");
        QCOMPARE(output->textCursor().block().text(),
                 QString("clock.asm:12: unknown instruction or directive 'FROBNICATE'"));
        QCOMPARE(output->verticalScrollBar()->value(), 200);
    }

    // The downloader's window: its report stays until the user closes it.
    void AProgramsWindowStaysOpenAfterItEndsWell() {
        BatchWindow window("Cuffware Downloader", Runner(0), {"demo.app"});
        window.show();
        window.Start();
        QTRY_VERIFY(window.Finished());
        QCOMPARE(window.windowTitle(), QString("Cuffware Downloader"));
        QVERIFY(window.Output().contains("running demo.app"));
        QVERIFY(window.isVisible());
        auto* close = window.findChild<QPushButton*>("ButtonClose");
        QVERIFY(close->isEnabled());
        close->click();
        QVERIFY(!window.isVisible());
    }

    void ARunnerThatCannotStartIsSaid() {
        BatchWindow window(dir_.filePath("no-such-runner"), dir_.filePath("build.bat"));
        window.show();
        window.Start();
        QTRY_VERIFY(window.Finished());
        QVERIFY(window.isVisible());
        QVERIFY(window.Output().contains("could not be started"));
    }
};

}  // namespace cuffware

QTEST_MAIN(cuffware::BatchWindowTest)
#include "batch_window_test.moc"
