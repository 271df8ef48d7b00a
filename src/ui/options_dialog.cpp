#include "ui/options_dialog.h"

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

// Each field's objectName, in OptionsField order.
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
        auto* field = new QLineEdit;
        field->setObjectName(kFieldNames[static_cast<size_t>(row.setting)]);
        if (row.maxLength > 0) {
            field->setMaxLength(row.maxLength);
            field->setMaximumWidth(field->fontMetrics().horizontalAdvance("0000000") + 16);
        }
        form->addRow(row.caption, field);
        fields_[static_cast<size_t>(row.setting)] = field;
        OptionsField which = row.setting;
        connect(field, &QLineEdit::textChanged, this,
                [this, which](const QString& text) { model_.FieldChanged(which, FromQt(text)); });
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

void OptionsDialog::Open() {
    model_.Open();
    for (const ToolSettingRow& row : ToolSettingRows())
        fields_[static_cast<size_t>(row.setting)]->setText(ToQt(model_.FieldText(row.setting)));
    settingsFile_->setText(ToQt(model_.SettingsFileLine()));
    fields_[0]->setFocus();
}

void OptionsDialog::FocusRefusedField() {
    if (std::optional<OptionsField> refused = model_.RefusedField()) {
        QLineEdit* field = fields_[static_cast<size_t>(*refused)];
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    model_.CloseBox();
    QDialog::closeEvent(event);
}

}  // namespace cuffware
