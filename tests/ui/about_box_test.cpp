// The About box: its texts, how it closes, and System Info without a viewer.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ui/about_box.h"
#include "window_bench.h"

namespace cuffware {

using testing::ShownMessage;
using testing::WindowBench;

class AboutBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void ShowsTitleVersionAndDescription() {
        AboutBox box({}, nullptr);
        auto text = [&](const char* name) { return box.findChild<QLabel*>(name)->text(); };
        QCOMPARE(box.windowTitle(), QString("Q740 Cuffware Script Builder"));
        QCOMPARE(text("LabelTitle"), QString("Q740 Cuffware Script Builder"));
        QCOMPARE(text("LabelVersion"), QString("Version 1.1.92"));
        QCOMPARE(text("LabelDescription"), QString("Creates build scripts for q740 cuffwares."));
        QVERIFY(!text("LabelDisclaimer").isEmpty());
        QCOMPARE(box.findChild<QPushButton*>("ButtonSystemInfo")->text(),
                 QString("&System Info..."));
        QVERIFY(box.findChild<QPushButton*>("ButtonOK")->isDefault());
        QVERIFY(!box.findChild<QLabel*>("PictureIcon")->pixmap().isNull());
    }

    void EnterAndEscBothClose() {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            AboutBox box({}, nullptr);
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            QTest::keyClick(&box, key);
            QVERIFY(!box.isVisible());
        }
    }

    void SystemInfoWithoutAViewerSaysItIsUnavailable() {
        qputenv("PATH", "");
        WindowBench b;
        b.Start();
        b.users = {[](QDialog& about) {
            about.show();
            about.findChild<QPushButton*>("ButtonSystemInfo")->click();
            QVERIFY(about.isVisible());
        }};
        b.window.form().Action(MenuCommand::HelpAbout)->trigger();
        QCOMPARE(b.messages,
                 (std::vector<ShownMessage>{
                     {"System Information Is Unavailable At This Time", MessageIcon::None}}));
        QVERIFY(b.processes.started.empty());
    }
};

}  // namespace cuffware

QTEST_MAIN(cuffware::AboutBoxTest)
#include "about_box_test.moc"
