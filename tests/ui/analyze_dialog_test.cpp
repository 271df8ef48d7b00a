// The analysis window shows one report: its values, its rows, the ERROR
// mark and the two-column table with the usage bars.

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "ui/analyze_dialog.h"
#include "ui/usage_bar_delegate.h"

namespace cuffware {

namespace {

MemoryUsageView Report(int common, std::vector<int> states) {
    MemoryUsageReport report;
    report.FileName = "Demo_code_018.bin";
    report.ImageSize = 1984;
    report.UsedSize = 1900;
    report.CommonUsage = common;
    report.StateUsage = states;
    for (int state : states)
        report.MaxStateUsage = std::max(report.MaxStateUsage, state);
    report.MaxOverlayUsage = common + report.MaxStateUsage;
    report.OverlayExceeded = report.MaxOverlayUsage > kFirmwareOverlaySize;
    return MemoryUsageViewOf(report);
}

QString Label(QDialog& dialog, const char* name) {
    return dialog.findChild<QLabel*>(name)->text();
}

QStringList Rows(QDialog& dialog) {
    QStringList rows;
    auto* table = dialog.findChild<QTreeWidget*>("ListSections");
    for (int i = 0; i < table->topLevelItemCount(); ++i)
        rows << table->topLevelItem(i)->text(0) + "=" + table->topLevelItem(i)->text(1);
    return rows;
}

}  // namespace

class AnalyzeDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void ShowsTheValuesAndOneRowPerSection() {
        AnalyzeDialog dialog(Report(500, {300, 400}), nullptr);
        QCOMPARE(dialog.windowTitle(), QString("Cuffware Memory Usage Analysis"));
        QCOMPARE(Label(dialog, "LabelFileName"), QString("Demo_code_018.bin"));
        QCOMPARE(Label(dialog, "LabelUsedSize"), QString("1900"));
        QCOMPARE(Label(dialog, "LabelOverlaySize"), QString("900"));
        QCOMPARE(Rows(dialog), (QStringList{"Common=500", "State 0=300", "State 1=400"}));
        QVERIFY(dialog.findChild<QLabel*>("LabelError")->isHidden());
        QCOMPARE(dialog.findChild<QPushButton*>("ButtonOK")->text(), QString("OK"));
    }

    void OneByteOverTheOverlayShowsError() {
        AnalyzeDialog dialog(Report(500, {300, 401}), nullptr);
        QCOMPARE(Label(dialog, "LabelMaxOverlayUsage"), QString("901"));
        auto* error = dialog.findChild<QLabel*>("LabelError");
        QVERIFY(!error->isHidden());
        QCOMPARE(error->text(), QString("ERROR"));
        QCOMPARE(error->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    void EveryRunHasItsOwnTwoColumnTable() {
        for (int run = 0; run < 2; ++run) {
            AnalyzeDialog dialog(Report(100, {50}), nullptr);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* table = dialog.findChild<QTreeWidget*>("ListSections");
            QCOMPARE(table->columnCount(), 2);
            QCOMPARE(table->headerItem()->text(0), QString("Section"));
            QCOMPARE(table->headerItem()->text(1), QString("Memory Usage"));
            QCOMPARE(table->columnWidth(0), table->viewport()->width() / 2);
            QCOMPARE(Rows(dialog), (QStringList{"Common=100", "State 0=50"}));
            // A state's bar stands on the common section beside it.
            QTreeWidgetItem* state = table->topLevelItem(1);
            QCOMPARE(state->data(1, kUsageRole).toInt(), 50);
            QCOMPARE(state->data(1, kUsageBaseRole).toInt(), 100);
            // What a screen reader says of the table and of a bar.
            QCOMPARE(table->accessibleName(), QString("Memory usage by section"));
            QCOMPARE(state->data(1, Qt::AccessibleTextRole).toString(),
                     QString("State 0: 50 bytes, with the common section 150 of 900 bytes of "
                             "the overlay"));
            QTest::mouseClick(dialog.findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        }
    }

    void TheBarsPaintWithoutTroubleAtAnySize() {
        AnalyzeDialog dialog(Report(850, {0, 49, 51, 5000}), nullptr);
        for (QSize size : {QSize(200, 120), QSize(900, 600)}) {
            dialog.resize(size);
            QImage image = dialog.grab().toImage();
            QVERIFY(!image.isNull());
        }
    }
};

}  // namespace cuffware

QTEST_MAIN(cuffware::AnalyzeDialogTest)
#include "analyze_dialog_test.moc"
