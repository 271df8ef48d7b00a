#include "ui/options_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace cuffware {

namespace {

// Each field's objectName, in OptionsField order ("Check..." for a Flag's
// check box).
constexpr const char* kFieldNames[] = {"TextSdkPath", "TextAssemblerPath", "TextNumberOfStates",
                                       "TextFirmwareVersion"};
static_assert(std::size(kFieldNames) == kToolSettingCount);

QPushButton* AddButton(QHBoxLayout* row, const char* caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

}  // namespace

OptionsDialog::OptionsDialog(OptionsModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("OptionsDialog");
    setWindowTitle(kOptionsTitle);

    auto* frame = new QGroupBox(kOptionsFrameCaption);
    frame->setObjectName("FrameSettings");
    auto* form = new QFormLayout(frame);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const ToolSettingRow& row : ToolSettingRows()) {
        QWidget* field =
            row.kind == ToolSettingKind::Flag ? AddCheckBox(form, row) : AddTextField(form, row);
        field->setObjectName(kFieldNames[static_cast<size_t>(row.setting)]);
        fields_[static_cast<size_t>(row.setting)] = field;
    }
    fields_[0]->setMinimumWidth(260);

    settingsFile_ = new QLabel;
    settingsFile_->setObjectName("LabelSettingsFile");
    settingsFile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    settingsFile_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = AddButton(buttons, "OK", "ButtonOK");
    QPushButton* cancel = AddButton(buttons, "Cancel", "ButtonCancel");
    QPushButton* apply = AddButton(buttons, "&Apply", "ButtonApply");
    ok->setDefault(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(frame);
    column->addWidget(settingsFile_);
    column->addLayout(buttons);
    setSizeGripEnabled(false);

    connect(ok, &QPushButton::clicked, this, [this] {
        if (model_.OK())
            hide();
        else
            FocusRefusedField();
    });
    connect(apply, &QPushButton::clicked, this, [this] {
        model_.Apply();
        FocusRefusedField();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

QWidget* OptionsDialog::AddTextField(QFormLayout* form, const ToolSettingRow& row) {
    auto* field = new QLineEdit;
    if (row.maxLength > 0) {
        field->setMaxLength(row.maxLength);
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance("0000000") + 16);
    }
    form->addRow(row.caption, field);
    connect(field, &QLineEdit::textChanged, this, [this, which = row.setting](const QString& text) {
        model_.FieldChanged(which, FromQt(text));
    });
    return field;
}

// The caption on the box itself, which stands in the fields' column.
QWidget* OptionsDialog::AddCheckBox(QFormLayout* form, const ToolSettingRow& row) {
    auto* box = new QCheckBox(row.caption);
    form->addRow(QString(), box);
    connect(box, &QCheckBox::toggled, this,
            [this, which = row.setting](bool checked) { model_.CheckChanged(which, checked); });
    return box;
}

void OptionsDialog::Open() {
    model_.Open();
    for (const ToolSettingRow& row : ToolSettingRows()) {
        QWidget* field = fields_[static_cast<size_t>(row.setting)];
        if (auto* box = qobject_cast<QCheckBox*>(field))
            box->setChecked(model_.Checked(row.setting));
        else
            static_cast<QLineEdit*>(field)->setText(ToQt(model_.FieldText(row.setting)));
    }
    settingsFile_->setText(ToQt(model_.SettingsFileLine()));
    fields_[0]->setFocus();
}

void OptionsDialog::FocusRefusedField() {
    if (std::optional<OptionsField> refused = model_.RefusedField()) {
        // Only a typed value is ever refused.
        auto* field = static_cast<QLineEdit*>(fields_[static_cast<size_t>(*refused)]);
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    model_.CloseBox();
    QDialog::closeEvent(event);
}

}  // namespace cuffware
