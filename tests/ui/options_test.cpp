// The Options dialog as Qt shows it: its fields, that its buttons reach the
// model and hide or keep it, and that the close box drops the dialog. The
// take-over rules are the model's tests.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/options_dialog.h"
#include "window_bench.h"

namespace cuffware {

using testing::WindowBench;

namespace {

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
        b->Start();
    }
    void cleanup() { b.reset(); }

    void OkHidesAfterWritingApplyStaysAndTheSameDialogComesBackRefilled() {
        QDialog* first = nullptr;
        b->users = {[&](QDialog& dialog) {
            first = &dialog;
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QString("Options"));
            QCOMPARE(Field(dialog, "TextSdkPath")->text(), QString::fromStdString(b->SdkPath()));
            QCOMPARE(Field(dialog, "TextNumberOfStates")->maxLength(), 2);
            QCOMPARE(Field(dialog, "TextFirmwareVersion")->maxLength(), 6);
            Field(dialog, "TextFirmwareVersion")->setText("740030");
            Press(dialog, "ButtonApply");
            QVERIFY(dialog.isVisible());
            Field(dialog, "TextNumberOfStates")->setText("5");
            Press(dialog, "ButtonOK");
            QVERIFY(!dialog.isVisible());
        }};
        Open();
        QCOMPARE(b->window.bench().settings.NumberOfStates, int16_t(5));
        QVERIFY(b->dir.Read("builder.ini").find("STATES=5") != std::string::npos);

        b->users = {[&](QDialog& dialog) {
            QCOMPARE(&dialog, first);
            QCOMPARE(Field(dialog, "TextFirmwareVersion")->text(), QString("740030"));
            dialog.show();
            Field(dialog, "TextSdkPath")->setText("D:\\elsewhere");
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        }};
        Open();
        QCOMPARE(b->window.bench().settings.SdkPath, b->SdkPath());
    }

    void TheCloseBoxDropsTheDialogAndARefusalIsShownOverIt() {
        QPointer<QDialog> first;
        b->users = {[&](QDialog& dialog) {
            first = &dialog;
            dialog.show();
            Field(dialog, "TextNumberOfStates")->setText("-1");
            Press(dialog, "ButtonOK");
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.focusWidget(), Field(dialog, "TextNumberOfStates"));
            QCOMPARE(Field(dialog, "TextNumberOfStates")->selectedText(), QString("-1"));
            Press(dialog, "ButtonCancel");
            QVERIFY(!dialog.isVisible());
        }};
        Open();
        QCOMPARE(b->messages.size(), size_t(1));
        QVERIFY(!first.isNull());

        b->users = {[&](QDialog& dialog) {
            dialog.show();
            dialog.close();
        }};
        Open();
        QVERIFY(first.isNull());
    }

  private:
    void Open() {
        b->window.form().Action(MenuCommand::ToolsOptions)->trigger();
        QVERIFY(b->users.empty());
    }

    std::unique_ptr<WindowBench> b;
};

}  // namespace cuffware

QTEST_MAIN(cuffware::OptionsTest)
#include "options_test.moc"
