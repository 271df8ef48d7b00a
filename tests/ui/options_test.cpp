// The Options dialog as the main window opens it: what is written, and when
// memory takes the fields over.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItem>

#include "ui/options_dialog.h"
#include "window_bench.h"

namespace cuffware {

using testing::ShownMessage;
using testing::WindowBench;

namespace {

const std::string kStartIni = "BIN=/sdk\r\nASSEMBLER=c:\\c88\r\nSTATES=3\r\nVERSION=740020\r\n";

QLineEdit* Field(QDialog& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(name);
}

void Press(QDialog& dialog, const char* name) {
    dialog.findChild<QPushButton*>(name)->click();
}

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        b = std::make_unique<WindowBench>();
        b->dir.Write("builder.ini", kStartIni);
        b->Start();
    }
    void cleanup() { b.reset(); }

    void OpensFilledWithTheSettingsAndCancelChangesNothing() {
        QStringList shown;
        b->users = {[&](QDialog& dialog) {
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QString("Options"));
            for (const char* name :
                 {"TextDirectory", "TextAssembler", "TextNumberOfStates", "TextFirmwareVersion"})
                shown << Field(dialog, name)->text();
            QVERIFY(!dialog.findChild<QCheckBox*>("CheckUpdateOptions")->isVisible());
            QCOMPARE(Field(dialog, "TextNumberOfStates")->maxLength(), 2);
            QCOMPARE(Field(dialog, "TextFirmwareVersion")->maxLength(), 6);
            Field(dialog, "TextDirectory")->setText("D:\\elsewhere");
            Press(dialog, "cmdCancel");
            QVERIFY(!dialog.isVisible());
        }};
        Open();
        QCOMPARE(shown, (QStringList{"/sdk", "c:\\c88", "3", "740020"}));
        QCOMPARE(b->dir.Read("builder.ini"), kStartIni);
        QCOMPARE(b->window.bench().settings.SdkPath, "/sdk");
    }

    void OkWritesTheTrimmedFieldsAndMemoryTakesThemOver() {
        b->users = {[&](QDialog& dialog) {
            dialog.show();
            Field(dialog, "TextDirectory")->setText("  D:\\sdk ");
            Field(dialog, "TextNumberOfStates")->setText("7x");
            Press(dialog, "cmdOK");
            QVERIFY(!dialog.isVisible());
        }};
        Open();
        QCOMPARE(b->dir.Read("builder.ini"),
                 "BIN=D:\\sdk\r\nASSEMBLER=c:\\c88\r\nSTATES=7\r\nVERSION=740020\r\n");
        const ToolSettings& settings = b->window.bench().settings;
        QCOMPARE(settings.SdkPath, "D:\\sdk");
        QCOMPARE(settings.NumberOfStates, int16_t(7));
        // The tree keeps its categories and the project its version.
        QCOMPARE(b->Item(1)->childCount(), 8);
    }

    void ApplyThenCancelTakesOverTheFieldsAsTheyAreAtClosing() {
        OptionsDialog* first = nullptr;
        b->users = {[&](QDialog& dialog) {
            first = qobject_cast<OptionsDialog*>(&dialog);
            dialog.show();
            Field(dialog, "TextFirmwareVersion")->setText("740030");
            Press(dialog, "cmdApply");
            QVERIFY(dialog.isVisible());
            Field(dialog, "TextFirmwareVersion")->setText("740040");
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        }};
        Open();
        QVERIFY(b->dir.Read("builder.ini").find("VERSION=740030") != std::string::npos);
        QCOMPARE(b->window.bench().settings.FirmwareVersion, "740040");

        // The same dialog comes back, refilled, with the flag cleared.
        b->users = {[&](QDialog& dialog) {
            QCOMPARE(&dialog, static_cast<QDialog*>(first));
            QCOMPARE(Field(dialog, "TextFirmwareVersion")->text(), QString("740040"));
            QVERIFY(!dialog.findChild<QCheckBox*>("CheckUpdateOptions")->isChecked());
        }};
        Open();
    }

    void TheCloseBoxDiscardsTheDialogAndMemoryKeepsItsValues() {
        QPointer<QDialog> first;
        b->users = {[&](QDialog& dialog) {
            first = &dialog;
            dialog.show();
            Field(dialog, "TextAssembler")->setText("D:\\c88");
            Press(dialog, "cmdApply");
            dialog.close();
        }};
        Open();
        QVERIFY(b->dir.Read("builder.ini").find("ASSEMBLER=D:\\c88") != std::string::npos);
        QCOMPARE(b->window.bench().settings.AssemblerPath, "c:\\c88");
        QVERIFY(first.isNull());

        b->users = {[&](QDialog& dialog) {
            QCOMPARE(Field(dialog, "TextAssembler")->text(), QString("c:\\c88"));
        }};
        Open();
    }

    void AnUnusableNumberOfStatesIsRefusedAndTheDialogStaysOpen() {
        b->users = {[&](QDialog& dialog) {
            dialog.show();
            Field(dialog, "TextNumberOfStates")->setText("-1");
            Press(dialog, "cmdOK");
            QVERIFY(dialog.isVisible());
            Press(dialog, "cmdCancel");
        }};
        Open();
        QCOMPARE(b->messages.size(), size_t(1));
        QCOMPARE(b->messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(b->messages[0].text.contains("builder.ini"));
        QCOMPARE(b->dir.Read("builder.ini"), kStartIni);
        QCOMPARE(b->window.bench().settings.NumberOfStates, int16_t(3));
    }

  private:
    void Open() {
        b->window.form().mnuToolsOptions->trigger();
        QVERIFY(b->users.empty());
    }

    std::unique_ptr<WindowBench> b;
};

}  // namespace cuffware

QTEST_MAIN(cuffware::OptionsTest)
#include "options_test.moc"
