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

// A value's label is called "Label" and the value's name.
QLabel* AddValueRow(QGridLayout* grid, const MemoryUsageValue& shown) {
    int row = grid->rowCount();
    grid->addWidget(new QLabel(shown.caption), row, 0);
    auto* value = new QLabel(ToQt(shown.value));
    value->setObjectName(QString("Label") + shown.name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(value, row, 1);
    return value;
}

}  // namespace

AnalyzeDialog::AnalyzeDialog(const MemoryUsageView& view, QWidget* parent) : QDialog(parent) {
    setObjectName("AnalyzeDialog");
    setWindowTitle(kAnalysisTitle);

    auto* values = new QGridLayout;
    values->setHorizontalSpacing(16);
    for (const MemoryUsageValue& value : view.values) {
        AddValueRow(values, value);
        if (value.errorMark) {
            auto* error = new QLabel(kOverlayErrorMark);
            error->setObjectName("LabelError");
            const Colour red = kErrorMarkColour;
            error->setStyleSheet(QString("color: rgb(%1, %2, %3); font-weight: bold;")
                                     .arg(red.red)
                                     .arg(red.green)
                                     .arg(red.blue));
            error->setVisible(view.overlayExceeded);
            values->addWidget(error, values->rowCount() - 1, 2);
        }
    }
    values->setColumnStretch(2, 1);

    sections_ = new QTreeWidget;
    sections_->setObjectName("ListSections");
    sections_->setAccessibleName(kSectionListAccessibleName);
    sections_->setRootIsDecorated(false);
    sections_->setUniformRowHeights(true);
    sections_->setSelectionMode(QAbstractItemView::SingleSelection);
    sections_->setColumnCount(2);
    sections_->setHeaderLabels({view.columns[0], view.columns[1]});
    sections_->header()->setStretchLastSection(true);
    sections_->setItemDelegateForColumn(1, new UsageBarDelegate(sections_));
    sections_->setMinimumSize(420, 200);
    sections_->setFocusPolicy(Qt::NoFocus);
    for (const MemoryUsageRow& shown : view.rows) {
        auto* row = new QTreeWidgetItem(sections_, {ToQt(shown.section), ToQt(shown.usageText)});
        row->setData(1, kUsageRole, shown.usage);
        row->setData(1, kUsageBaseRole, shown.base);
        row->setData(1, kUsageExceededRole, shown.exceeded);
        row->setToolTip(1, ToQt(shown.barTip));
        row->setData(1, Qt::AccessibleTextRole, ToQt(AccessibleUsage(shown)));
    }

    auto* ok = new QPushButton("OK");
    ok->setObjectName("ButtonOK");
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* column = new QVBoxLayout(this);
    column->addLayout(values);
    column->addWidget(sections_, 1);
    column->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

void AnalyzeDialog::HalveSectionColumn() {
    sections_->setColumnWidth(0, sections_->viewport()->width() / 2);
}

void AnalyzeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    HalveSectionColumn();
}

void AnalyzeDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    HalveSectionColumn();
}

}  // namespace cuffware
