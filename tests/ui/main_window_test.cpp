// The main window driven as a user drives it: start-up, the fields, the
// tree, the File menu, the road buttons and shutdown.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include "analysis/memory_usage.h"
#include "project/project_record.h"
#include "support/temp_dir.h"
#include "ui/analyze_dialog.h"
#include "ui/file_tree_widget.h"
#include "window_bench.h"

namespace cuffware {
namespace {

using testing::ShownMessage;
using testing::TempDir;
using testing::WindowBench;

// The controls the first panel of a fresh window shows.
void VerifyStartupProject(WindowBench& b) {
    QCOMPARE(b.Status(), QString("Ready"));
    QCOMPARE(b.Field("TextVersionRequired")->text(), QString("740020"));
    QCOMPARE(b.Field("TextApplicationName")->text(), QString());
    QVERIFY(!b.Button("CommandAddFile")->isEnabled());
    QVERIFY(!b.Button("CommandRemoveFile")->isEnabled());
    QTreeWidgetItem* root = b.Item(kRootNode);
    QCOMPARE(root->text(0), QString("Application"));
    QStringList categories = b.ChildTexts(kRootNode);
    QCOMPARE(categories, (QStringList{"Parameter File", "Header File", "Background Handler File",
                                      "Common Files", "State 0", "State 1", "State 2", "State 3"}));
    QVERIFY(root->isExpanded());
    QCOMPARE(root->checkState(0), Qt::Checked);
    QVERIFY(b.Item(kCommonNode)->isExpanded());
    QCOMPARE(b.Item(kCommonNode)->checkState(0), Qt::Unchecked);
    QVERIFY(b.messages.empty());
}

// A project whose every required category holds a file, in a build
// directory whose parent exists.
void FillRoadProject(WindowBench& b) {
    QTest::keyClicks(b.Field("TextFolderName"), "demo");
    b.dir.Write("q740/app/demo/src/main.asm", "");
    FileTree& tree = b.window.bench().project.Files;
    for (int node : {kParameterNode, kHeaderNode, kBackgroundNode, StateNode(0)})
        AddFileToCategory(tree, node, b.dir / "q740/app/demo/src/main.asm");
}

std::string BuildDirectory(WindowBench& b) {
    return b.SdkPath() + "\\app\\demo\\build";
}

// A code image holding only a common section of the given number of code
// bytes: header, one offset, then the section (length, kind, code).
std::string CommonOnlyImage(int codeBytes) {
    int length = codeBytes + 3;
    int used = 8 + codeBytes;  // the bytes after the first four
    std::string image = {char(192), 0, char(used), 0, 0, 1, 0, 0, 0, char(length), 0, 1};
    return image + std::string(codeBytes, '\x90');
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(settingsHome.path()));
    }

    void StartsWithTheLayoutAndTheEmptyProjectAlsoForABlankArgument() {
        WindowBench b;
        b.Start();
        VerifyStartupProject(b);
        QCOMPARE(b.window.windowTitle(), QString("Q740 Cuffware Builder"));
        for (const char* name : {"TextDescription", "TextBannerLine1", "TextPCInterface",
                                 "TextHeaderDirectory", "TextAssemblerDirectory"})
            QVERIFY2(!b.Field(name)->isEnabled(), name);
        QVERIFY(b.Field("TextApplicationName")->isEnabled());
        QStringList menus;
        for (QAction* menu : b.window.menuBar()->actions()) {
            menus << menu->text();
            for (QAction* entry : menu->menu()->actions())
                menus << (entry->isSeparator() ? QString("-") : entry->text());
        }
        QCOMPARE(menus, (QStringList{"&File", "&New", "&Open...", "&Save", "-", "E&xit", "&Tools",
                                     "&Options...", "&Help", "&About "}));
        QVERIFY(b.window.findChild<QStatusBar*>("sbStatusBar"));
        QVERIFY(!b.window.findChild<QLabel*>("StatusTime")->text().isEmpty());
        QVERIFY(!b.window.findChild<QLabel*>("StatusDate")->text().isEmpty());

        WindowBench blank;
        blank.Start("   ");
        VerifyStartupProject(blank);

        WindowBench missing;
        missing.Start(missing.dir / "missing.scr");
        QCOMPARE(missing.messages.size(), size_t(1));
        missing.messages.clear();
        VerifyStartupProject(missing);
    }

    void AScriptArgumentIsRestoredBeforeTheWindowShows() {
        WindowBench first;
        first.Start();
        FillRoadProject(first);
        first.Field("TextApplicationName")->setText("Alarm Clock");
        first.window.findChild<QCheckBox*>("CheckDatabaseSupport")->setChecked(true);
        first.window.form().mnuFileSave->trigger();
        std::string script = BuildDirectory(first) + "\\demo.scr";
        QVERIFY(first.dir.Exists("q740/app/demo/build/demo.scr"));

        WindowBench second;
        second.Start(script);
        QCOMPARE(second.Field("TextApplicationName")->text(), QString("Alarm Clock"));
        QVERIFY(second.window.findChild<QCheckBox*>("CheckDatabaseSupport")->isChecked());
        QCOMPARE(second.ChildTexts(kParameterNode),
                 QStringList{QString::fromStdString(first.dir / "q740/app/demo/src/main.asm")});
        QCOMPARE(second.Item(kParameterNode)->checkState(0), Qt::Checked);
        QVERIFY(second.Item(kParameterNode)->child(0)->font(0).bold());
    }

    void TypingTheFolderNameFillsTheDirectoriesAndUnlocksTheDetails() {
        WindowBench b;
        b.Start();
        QTest::keyClicks(b.Field("TextFolderName"), "demo ");
        QCOMPARE(b.Field("TextFolderName")->text(), QString("demo"));
        QString sdk = QString::fromStdString(b.SdkPath());
        QCOMPARE(b.Field("TextHeaderDirectory")->text(), sdk + "\\app\\demo\\h");
        QCOMPARE(b.Field("TextBuildDirectory")->text(), sdk + "\\app\\demo\\build");
        QCOMPARE(b.Field("TextAssemblerDirectory")->text(), QString("c:\\c88"));
        for (QLineEdit* field : b.window.form().DetailFields())
            QVERIFY(field->isEnabled());
        QVERIFY(b.Field("TextVersionRequired")->isReadOnly());

        b.Field("TextFolderName")->clear();
        QCOMPARE(b.Field("TextBuildDirectory")->text(), sdk + "\\app\\demo\\build");
        QVERIFY(b.Field("TextDescription")->isEnabled());
    }

    void ClickingANodeEnablesTheButtonsButRootAndWrongKindsChangeNothing() {
        WindowBench b;
        b.Start();
        b.Click(kRootNode);
        QVERIFY(b.Button("CommandAddFile")->isEnabled());
        QVERIFY(b.Button("CommandRemoveFile")->isEnabled());
        b.Button("CommandAddFile")->click();
        b.Button("CommandRemoveFile")->click();
        QVERIFY(b.fileAsked.empty());
        QCOMPARE(b.Item(kRootNode)->childCount(), 8);

        b.Click(kCommonNode);
        b.Button("CommandRemoveFile")->click();
        QCOMPARE(b.Item(kCommonNode)->childCount(), 0);
    }

    void AddAndRemoveFileKeepTheCategorySelectedAndItsMarkUpToDate() {
        WindowBench b;
        b.Start();
        b.Click(kCommonNode);
        b.fileAnswers = {"/src/a.asm", "/src/a.asm", ""};
        b.Button("CommandAddFile")->click();
        b.Button("CommandAddFile")->click();
        b.Button("CommandAddFile")->click();  // cancelled
        QCOMPARE(b.fileAsked.size(), size_t(3));
        QCOMPARE(b.fileAsked[0], (QStringList{"Open", "Source Files (*.asm);;All Files (*.*)"}));
        QCOMPARE(b.ChildTexts(kCommonNode), (QStringList{"/src/a.asm", "/src/a.asm"}));
        QCOMPARE(b.Item(kCommonNode)->checkState(0), Qt::Checked);
        QTreeWidgetItem* file = b.Item(kCommonNode)->child(0);
        QVERIFY(file->font(0).bold());
        QCOMPARE(file->checkState(0), Qt::Checked);

        // A file node takes no file.
        b.Click(b.Item(kCommonNode)->child(0)->data(0, Qt::UserRole).toInt());
        b.Button("CommandAddFile")->click();
        QCOMPARE(b.fileAsked.size(), size_t(3));

        // Removing the last file of a category clears its mark.
        b.Click(kHeaderNode);
        b.fileAnswers = {"/h/one.h", "/h/two.h"};
        b.Button("CommandAddFile")->click();
        b.Button("CommandAddFile")->click();
        auto fileNode = [&](int i) {
            return b.Item(kHeaderNode)->child(i)->data(0, Qt::UserRole).toInt();
        };
        b.Click(fileNode(0));
        b.Button("CommandRemoveFile")->click();
        QCOMPARE(b.ChildTexts(kHeaderNode), QStringList{"/h/two.h"});
        QCOMPARE(b.Item(kHeaderNode)->checkState(0), Qt::Checked);
        QVERIFY(b.Item(kHeaderNode)->isSelected());

        b.Click(fileNode(0));
        b.Button("CommandRemoveFile")->click();
        QCOMPARE(b.ChildTexts(kHeaderNode), QStringList{});
        QCOMPARE(b.Item(kHeaderNode)->checkState(0), Qt::Unchecked);
    }

    void DropsFollowTheSelectionAndAreRefusedOnTheRoot() {
        WindowBench b;
        b.Start();
        QVERIFY(!b.Drop({"/s/a.asm"}));  // before the first selection

        b.Click(StateNode(0));
        QVERIFY(b.Drop({"/s/a.asm", "/s/b.asm", "/s/c.inc"}));
        QCOMPARE(b.ChildTexts(StateNode(0)), (QStringList{"/s/a.asm", "/s/b.asm", "/s/c.inc"}));
        QCOMPARE(b.Item(StateNode(0))->checkState(0), Qt::Checked);

        b.Click(kRootNode);
        QVERIFY(b.Drop({"/s/d.asm"}));
        QCOMPARE(
            b.messages,
            (std::vector<ShownMessage>{{"Adding files not allowed in root.", MessageIcon::None}}));
        QCOMPARE(b.Item(kRootNode)->childCount(), 8);

        // Files dropped on a file node nest under it, outside every category.
        b.Click(kHeaderNode);
        b.fileAnswers = {"/h/q.h"};
        b.Button("CommandAddFile")->click();
        QTreeWidgetItem* header = b.Item(kHeaderNode)->child(0);
        b.Click(header->data(0, Qt::UserRole).toInt());
        QVERIFY(b.Drop({"/s/x.asm", "/s/y.asm"}));
        header = b.Item(kHeaderNode)->child(0);
        QCOMPARE(header->childCount(), 2);
        QCOMPARE(b.window.bench().project.Files.Files(kHeaderNode),
                 std::vector<std::string>{"/h/q.h"});

        QVERIFY(!b.Drop({}));  // a drag without files
    }

    void NewClearsTheProjectAndDisablesTheFileButtons() {
        WindowBench b;
        b.Start();
        FillRoadProject(b);
        b.Field("TextApplicationName")->setText("Alarm");
        b.window.findChild<QCheckBox*>("CheckPasswordSupport")->setChecked(true);
        b.Click(kCommonNode);
        b.window.SetStatus("busy");
        b.window.form().mnuFileNew->trigger();
        QCOMPARE(b.Status(), QString("Ready"));
        QCOMPARE(b.Field("TextApplicationName")->text(), QString());
        QCOMPARE(b.Field("TextBuildDirectory")->text(), QString());
        QVERIFY(!b.window.findChild<QCheckBox*>("CheckPasswordSupport")->isChecked());
        QVERIFY(!b.Button("CommandAddFile")->isEnabled());
        QCOMPARE(b.ChildTexts(kParameterNode), QStringList{});
    }

    void SaveNeedsAFolderNameAndOpenRestoresWhatWasSaved() {
        WindowBench b;
        b.Start();
        b.Field("TextApplicationName")->setText("Alarm");
        b.Field("TextFolderName")->setText("   ");
        b.window.form().mnuFileSave->trigger();
        QCOMPARE(b.Status(), QString("Application not specified"));
        QVERIFY(!b.dir.Exists("q740/app"));

        FillRoadProject(b);
        b.Field("TextDescription")->setText("Wakes you up");
        b.window.form().mnuFileSave->trigger();
        QVERIFY(b.messages.empty());
        QVERIFY(b.dir.Exists("q740/app/demo/build/demo.scr"));

        b.window.form().mnuFileNew->trigger();
        b.window.form().mnuFileOpen->trigger();  // cancelled
        QCOMPARE(b.Field("TextDescription")->text(), QString());
        QCOMPARE(b.fileAsked.back(), (QStringList{"Open", "Cuffware Builder Script File (*.scr)"}));

        b.Click(kCommonNode);
        b.fileAnswers = {QString::fromStdString(b.dir / "q740/app/demo/build/demo.scr")};
        b.window.form().mnuFileOpen->trigger();
        QCOMPARE(b.Field("TextDescription")->text(), QString("Wakes you up"));
        QCOMPARE(b.ChildTexts(StateNode(0)).size(), 1);
        QVERIFY(!b.Button("CommandAddFile")->isEnabled());
        QVERIFY(b.Item(kCommonNode) && !b.Item(kCommonNode)->isSelected());
    }

    void TheRoadButtonsRefuseABlankFolderName() {
        WindowBench b;
        b.Start();
        for (const char* name :
             {"CommandCreateScript", "CommandBuildCuffware", "Command1", "Command3", "Command2"}) {
            b.window.SetStatus("Ready");
            b.Button(name)->click();
            QVERIFY2(b.Status() == "Application not specified", name);
        }
        QVERIFY(b.messages.empty());
        QVERIFY(b.processes.started.empty());
        QVERIFY(!b.dir.Exists("q740"));
    }

    // One outcome per button: the actions' tests hold their texts.
    void TheRoadButtonsRunTheirActions() {
        WindowBench b;
        b.Start();
        FillRoadProject(b);
        std::string build = BuildDirectory(b);
        b.Button("CommandCreateScript")->click();
        QCOMPARE(b.Status(), QString("Build scripts generated"));
        b.Button("CommandBuildCuffware")->click();
        QCOMPARE(b.processes.started, std::vector<std::string>{"batch " + build + "\\build.bat"});
        b.Button("Command1")->click();
        QCOMPARE(b.Status(), QString("Unable to create Cuffware code"));
        b.Button("Command2")->click();
        QCOMPARE(b.processes.started.back(),
                 "command " + b.SdkPath() + "\\bin\\CuffwareDL.exe " + build + "\\demo.app");
        QCOMPARE(b.messages.size(), size_t(3));  // success, wait, not found
    }

    void AnalyzeShowsAFreshWindowAndThenReady() {
        WindowBench b(3, "740018");
        b.Start();
        FillRoadProject(b);
        b.dir.Write("q740/app/demo/build/demo_code_018.bin", CommonOnlyImage(180));
        QStringList seen;
        auto look = [&](QDialog& window) {
            QCOMPARE(window.windowTitle(), QString("Cuffware Memory Usage Analysis"));
            seen << window.findChild<QLabel*>("LabelMaxOverlayUsage")->text();
            auto* table = window.findChild<QTreeWidget*>("ListView1");
            seen << QString::number(table->columnCount())
                 << QString::number(table->topLevelItemCount());
            QCOMPARE(b.Status(), QString("Ready"));
            b.window.SetStatus("analysing");
        };
        b.users = {look, look};
        b.Button("Command3")->click();
        QCOMPARE(b.Status(), QString("Ready"));
        b.Button("Command3")->click();
        QCOMPARE(seen, (QStringList{"180", "2", "1", "180", "2", "1"}));
    }

    void ClosingSavesThePlacementInTwipsUnlessMinimized() {
        QSettings store(kApplicationTitle, kApplicationTitle);
        store.clear();
        QRect frame;
        {
            WindowBench b;
            b.Start();
            b.window.setGeometry(96, 48, 960, 480);
            frame = b.window.frameGeometry();
            QVERIFY(b.window.close());
        }
        QSettings saved(kApplicationTitle, kApplicationTitle);
        saved.beginGroup("Settings");
        double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        QCOMPARE(saved.value("MainWidth").toString(),
                 QString::number(qRound64(frame.width() * 1440 / dpi)));
        QVERIFY(saved.contains("MainLeft") && saved.contains("MainTop") &&
                saved.contains("MainHeight"));
        saved.endGroup();

        saved.clear();
        WindowBench minimized;
        minimized.Start();
        minimized.window.showMinimized();
        QVERIFY(minimized.window.close());
        QVERIFY(QSettings(kApplicationTitle, kApplicationTitle).allKeys().isEmpty());
    }

    void ClosingClosesTheOpenDialogFirst() {
        WindowBench b;
        b.Start();
        bool stillVisible = true;
        b.users = {[&](QDialog& about) {
            about.show();
            b.window.close();
            stillVisible = about.isVisible();
        }};
        b.window.form().mnuHelpAbout->trigger();
        QVERIFY(!stillVisible);
        QVERIFY(!b.window.isVisible());
    }

  private:
    TempDir settingsHome;
};

}  // namespace cuffware

QTEST_MAIN(cuffware::MainWindowTest)
#include "main_window_test.moc"
