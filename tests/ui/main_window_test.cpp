// The main window as Qt shows it: the layout and its names, that each
// control reaches the model and its answer shows, drops, the placement saved
// at closing. The rules themselves are the model's tests.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include "support/temp_dir.h"
#include "window_bench.h"

namespace cuffware {
namespace {

using testing::ShownMessage;
using testing::TempDir;
using testing::WindowBench;

// A code image holding only a common section of the given number of code
// bytes: header, one offset, then the section (length, kind, code).
std::string CommonOnlyImage(int codeBytes) {
    int length = codeBytes + 3;
    int used = 8 + codeBytes;  // the bytes after the first four
    std::string image = {char(192), 0, char(used), 0, 0, 1, 0, 0, 0, char(length), 0, 1};
    return image + std::string(codeBytes, '\x90');
}

int NodeOf(QTreeWidgetItem* item) {
    return item->data(0, Qt::UserRole).toInt();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(settingsHome.path()));
    }

    void ShowsTheLayoutTheMenusAndTheStartupProject() {
        WindowBench b;
        b.Start();
        QCOMPARE(b.window.windowTitle(), QString("Q740 Cuffware Builder"));
        // The offscreen screen is smaller than the window's usual size.
        QSize free = b.window.screen()->availableGeometry().size();
        QVERIFY(b.window.width() < free.width() && b.window.height() < free.height());
        QStringList menus;
        for (QAction* menu : b.window.menuBar()->actions()) {
            menus << menu->text();
            for (QAction* entry : menu->menu()->actions())
                menus << (entry->isSeparator() ? QString("-") : entry->text());
        }
        QCOMPARE(menus, (QStringList{"&File", "&New", "&Open...", "&Save", "-", "E&xit", "&Tools",
                                     "&Options...", "&Help", "&About "}));
        QStringList buttons;
        for (const char* name : {"ButtonCreateBuildScripts", "ButtonRunBuildScripts",
                                 "ButtonCreateCuffware", "ButtonAnalyzeCuffware",
                                 "ButtonStartDownloader", "ButtonAddFile", "ButtonRemoveFile"})
            buttons << b.Button(name)->text();
        QCOMPARE(buttons, (QStringList{"Create Build Scripts", "Run Build Scripts",
                                       "Create Cuffware", "Analyze Cuffware", "Cuffware Downloader",
                                       "Add File", "Remove File"}));
        QVERIFY(!b.window.findChild<QLabel*>("StatusDate")->text().isEmpty());
        QVERIFY(!b.window.findChild<QLabel*>("StatusTime")->text().isEmpty());

        QCOMPARE(b.Status(), QString("Ready"));
        QCOMPARE(b.Field("TextVersionRequired")->text(), QString("740020"));
        QVERIFY(b.Field("TextVersionRequired")->isReadOnly());
        QCOMPARE(b.Field("TextBannerLine1")->maxLength(), 29);
        QVERIFY(!b.Field("TextDescription")->isEnabled());
        QVERIFY(!b.Button("ButtonAddFile")->isEnabled());
        QTreeWidgetItem* root = b.Item(kRootNode);
        QCOMPARE(root->text(0), QString("Application"));
        QCOMPARE(root->checkState(0), Qt::Checked);
        QVERIFY(root->isExpanded());
        QCOMPARE(b.ChildTexts(kRootNode).size(), 8);
        QCOMPARE(b.window.findChild<QTreeWidget*>("TreeFiles")->accessibleName(),
                 QString("Source files"));
        QStringList shortcuts;
        for (MenuCommand command : {MenuCommand::FileNew, MenuCommand::FileOpen,
                                    MenuCommand::FileSave, MenuCommand::FileExit})
            shortcuts << b.window.form().Action(command)->shortcut().toString();
        QCOMPARE(shortcuts, (QStringList{"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Q"}));
        QVERIFY(b.messages.empty());
    }

    // The message box gets the text as the model hands it: escaped, as in
    // the Windows window.
    void AMessageShowsControlBytesEscaped() {
        WindowBench b;
        b.Start(b.dir / "gone\x1B[2J.scr");
        QCOMPARE(b.messages.size(), size_t(1));
        QVERIFY2(b.messages[0].text.contains("gone\\x1B[2J.scr"), qPrintable(b.messages[0].text));
    }

    void TypingReachesTheModelAndItsAnswerShowsInTheOtherFields() {
        WindowBench b;
        b.Start();
        QTest::keyClicks(b.Field("TextFolderName"), "demo ");
        QCOMPARE(b.Field("TextFolderName")->text(), QString("demo"));
        QCOMPARE(b.Field("TextBuildDirectory")->text(),
                 QString::fromStdString(b.SdkPath() + "\\app\\demo\\build"));
        QVERIFY(b.Field("TextDescription")->isEnabled());
        b.Field("TextApplicationName")->setText("Alarm");
        b.window.findChild<QCheckBox*>("CheckPasswordSupport")->setChecked(true);
        QCOMPARE(b.window.bench().project.ApplicationName, "Alarm");
        QCOMPARE(b.window.bench().project.PasswordSupport, 1);

        b.window.form().Action(MenuCommand::FileNew)->trigger();
        QCOMPARE(b.Field("TextApplicationName")->text(), QString());
        QVERIFY(!b.window.findChild<QCheckBox*>("CheckPasswordSupport")->isChecked());
    }

    void ClicksAndDropsReachTheTreeAndItsMarksShow() {
        WindowBench b;
        b.Start();
        QVERIFY(!b.Drop({"/s/a.asm"}));  // before the first selection
        b.Click(kCommonNode);
        QVERIFY(b.Button("ButtonAddFile")->isEnabled());
        b.fileAnswers = {"/src/a.asm"};
        b.Button("ButtonAddFile")->click();
        QCOMPARE(b.fileAsked[0], (QStringList{"Open", "Source Files (*.asm);;All Files (*.*)"}));
        QVERIFY(b.Drop({"/s/b.asm", "/s/c.inc"}));
        QVERIFY(!b.Drop({}));  // a drag without files
        QCOMPARE(b.ChildTexts(kCommonNode), (QStringList{"/src/a.asm", "/s/b.asm", "/s/c.inc"}));
        QCOMPARE(b.Item(kCommonNode)->checkState(0), Qt::Checked);
        QVERIFY(b.Item(kCommonNode)->isSelected());
        QTreeWidgetItem* file = b.Item(kCommonNode)->child(0);
        QVERIFY(file->font(0).bold());
        QCOMPARE(file->checkState(0), Qt::Checked);

        b.Click(NodeOf(file));
        b.Button("ButtonRemoveFile")->click();
        QCOMPARE(b.ChildTexts(kCommonNode), (QStringList{"/s/b.asm", "/s/c.inc"}));
        QVERIFY(b.Item(kCommonNode)->isSelected());

        b.Click(kRootNode);
        QVERIFY(b.Drop({"/s/d.asm"}));
        QCOMPARE(
            b.messages,
            (std::vector<ShownMessage>{{"Adding files not allowed in root.", MessageIcon::None}}));
    }

    void TheButtonRowAndTheFileMenuReachTheirActions() {
        WindowBench b;
        b.Start();
        b.window.form().Action(MenuCommand::FileSave)->trigger();
        QCOMPARE(b.Status(), QString("Application not specified"));
        QTest::keyClicks(b.Field("TextFolderName"), "demo");
        b.dir.Write("q740/app/demo/src/main.asm", "");
        for (int node : {kParameterNode, kHeaderNode, kBackgroundNode, StateNode(0)}) {
            b.Click(node);
            b.fileAnswers = {QString::fromStdString(b.dir / "q740/app/demo/src/main.asm")};
            b.Button("ButtonAddFile")->click();
        }
        std::string build = b.SdkPath() + "\\app\\demo\\build";
        b.Button("ButtonCreateBuildScripts")->click();
        QCOMPARE(b.Status(), QString("Build scripts generated"));
        b.Button("ButtonRunBuildScripts")->click();
        QCOMPARE(b.processes.started, std::vector<std::string>{"batch " + build + "\\build.bat"});
        b.Button("ButtonCreateCuffware")->click();
        QCOMPARE(b.Status(), QString("Unable to create Cuffware code"));
        b.Button("ButtonStartDownloader")->click();
        QCOMPARE(b.processes.started.back(),
                 "command " + b.SdkPath() + "\\bin\\CuffwareDL.exe " + build + "\\demo.app");

        b.window.form().Action(MenuCommand::FileNew)->trigger();
        b.fileAnswers = {QString::fromStdString(b.dir / "q740/app/demo/build/demo.scr")};
        b.window.form().Action(MenuCommand::FileOpen)->trigger();
        QCOMPARE(b.fileAsked.back(), (QStringList{"Open", "Cuffware Builder Script File (*.scr)"}));
        QCOMPARE(b.Field("TextFolderName")->text(), QString("demo"));
        QCOMPARE(b.ChildTexts(StateNode(0)).size(), 1);
    }

    void AScriptArgumentShowsBeforeTheWindowAndAnalyzeShowsAFreshWindowEachTime() {
        WindowBench b(3, "740018");
        b.dir.Write("q740/app/demo/build/demo.scr",
                    "Alarm\r\ndemo\r\n\r\n\r\n\r\n740018\r\n0\r\n0\r\n\r\n\r\n\r\n" + b.SdkPath() +
                        "\\app\\demo\\build\r\n\r\n\r\n0\r\n");
        b.dir.Write("q740/app/demo/build/demo_code_018.bin", CommonOnlyImage(180));
        b.Start(b.dir / "q740/app/demo/build/demo.scr");
        QCOMPARE(b.Field("TextApplicationName")->text(), QString("Alarm"));
        QStringList seen;
        auto look = [&](QDialog& window) {
            seen << window.findChild<QLabel*>("LabelMaxOverlayUsage")->text();
            b.window.SetStatus("analysing");
        };
        b.users = {look, look};
        b.Button("ButtonAnalyzeCuffware")->click();
        QCOMPARE(b.Status(), QString("Ready"));
        b.Button("ButtonAnalyzeCuffware")->click();
        QCOMPARE(seen, (QStringList{"180", "180"}));
    }

    void ClosingClosesTheOpenDialogAndSavesThePlacementInTwipsUnlessMinimized() {
        QSettings(kApplicationTitle, kApplicationTitle).clear();
        QRect frame;
        {
            WindowBench b;
            b.Start();
            b.window.setGeometry(96, 48, 960, 480);
            frame = b.window.frameGeometry();
            bool stillVisible = true;
            b.users = {[&](QDialog& about) {
                about.show();
                b.window.close();
                stillVisible = about.isVisible();
            }};
            b.window.form().Action(MenuCommand::HelpAbout)->trigger();
            QVERIFY(!stillVisible);
            QVERIFY(!b.window.isVisible());
        }
        QSettings saved(kApplicationTitle, kApplicationTitle);
        double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        QCOMPARE(saved.value("Settings/MainWidth").toString(),
                 QString::number(qRound64(frame.width() * 1440 / dpi)));
        QCOMPARE(saved.allKeys().size(), 4);

        saved.clear();
        WindowBench minimized;
        minimized.Start();
        minimized.window.showMinimized();
        QVERIFY(minimized.window.close());
        QVERIFY(QSettings(kApplicationTitle, kApplicationTitle).allKeys().isEmpty());
    }

  private:
    TempDir settingsHome;
};

}  // namespace cuffware

QTEST_MAIN(cuffware::MainWindowTest)
#include "main_window_test.moc"
