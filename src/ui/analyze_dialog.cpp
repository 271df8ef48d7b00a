#include "ui/analyze_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/usage_bar_delegate.h"

namespace cuffware {

namespace {

QLabel* AddValueRow(QGridLayout* grid, const char* caption, const char* name) {
    int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0);
    auto* value = new QLabel;
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(value, row, 1);
    return value;
}

}  // namespace

AnalyzeDialog::AnalyzeDialog(const MemoryUsageReport& report, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAnalyze");
    setWindowTitle("Cuffware Memory Usage Analysis");

    auto* values = new QGridLayout;
    values->setHorizontalSpacing(16);
    LabelFileName = AddValueRow(values, "Code File:", "LabelFileName");
    LabelAllocationSize = AddValueRow(values, "EEPROM Memory Usage", "LabelAllocationSize");
    LabelDatabaseSize = AddValueRow(values, "Code Size", "LabelDatabaseSize");
    LabelMaxCommonUsage = AddValueRow(values, "Common Section Usage:", "LabelMaxCommonUsage");
    LabelMaxStateUsage = AddValueRow(values, "Maximum State Usage:", "LabelMaxStateUsage");
    LabelMaxOverlayUsage = AddValueRow(values, "Maximum Overlay Usage:", "LabelMaxOverlayUsage");
    LabelError = new QLabel("ERROR");
    LabelError->setObjectName("LabelError");
    LabelError->setStyleSheet("color: red; font-weight: bold;");
    values->addWidget(LabelError, values->rowCount() - 1, 2);
    LabelFirmwareOverlaySize = AddValueRow(values, "Overlay Size:", "LabelFirmwareOverlaySize");
    values->setColumnStretch(2, 1);

    ListView1 = new QTreeWidget;
    ListView1->setObjectName("ListView1");
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({"Section", "Memory Usage"});
    ListView1->header()->setStretchLastSection(true);
    ListView1->setItemDelegateForColumn(1, new UsageBarDelegate(kFirmwareOverlaySize, ListView1));
    ListView1->setMinimumSize(420, 200);
    ListView1->setFocusPolicy(Qt::NoFocus);

    OKButton = new QPushButton("OK");
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto* column = new QVBoxLayout(this);
    column->addLayout(values);
    column->addWidget(ListView1, 1);
    column->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &AnalyzeDialog::OKButton_Click);

    LabelFileName->setText(ToQt(report.FileName));
    LabelFirmwareOverlaySize->setText(QString::number(kFirmwareOverlaySize));
    LabelAllocationSize->setText(QString::number(report.ImageSize));
    LabelDatabaseSize->setText(QString::number(report.UsedSize));
    AddRow("Common", report.CommonUsage, 0);
    LabelMaxCommonUsage->setText(QString::number(report.CommonUsage));
    for (size_t i = 0; i < report.StateUsage.size(); ++i)
        AddRow("State " + QString::number(i), report.StateUsage[i], report.CommonUsage);
    LabelMaxStateUsage->setText(QString::number(report.MaxStateUsage));
    LabelMaxOverlayUsage->setText(QString::number(report.MaxOverlayUsage));
    LabelError->setVisible(report.OverlayExceeded);
    OKButton->setFocus();
}

void AnalyzeDialog::AddRow(const QString& section, int usage, int base) {
    auto* row = new QTreeWidgetItem(ListView1, {section, QString::number(usage)});
    row->setData(1, kUsageRole, usage);
    row->setData(1, kUsageBaseRole, base);
    row->setToolTip(
        1, base > 0 ? QString("%1 + %2 of %3 bytes").arg(base).arg(usage).arg(kFirmwareOverlaySize)
                    : QString("%1 of %2 bytes").arg(usage).arg(kFirmwareOverlaySize));
}

void AnalyzeDialog::HalveSectionColumn() {
    ListView1->setColumnWidth(0, ListView1->viewport()->width() / 2);
}

void AnalyzeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    HalveSectionColumn();
}

void AnalyzeDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    HalveSectionColumn();
}

void AnalyzeDialog::OKButton_Click() {
    accept();
}

}  // namespace cuffware
