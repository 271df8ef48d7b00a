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

#include "project/text_rules.h"
#include "ui/qt_text.h"

namespace cuffware {

namespace {

QLineEdit* AddField(QFormLayout* form, const char* caption, const char* name, int maxLength = 0) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    form->addRow(caption, field);
    return field;
}

QPushButton* AddButton(QHBoxLayout* row, const char* caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

}  // namespace

OptionsDialog::OptionsDialog(Writer write, QWidget* parent)
    : QDialog(parent), write_(std::move(write)) {
    setObjectName("frmOptions");
    setWindowTitle("Options");

    auto* frame = new QGroupBox("Settings");
    frame->setObjectName("FrameSettings");
    auto* fields = new QFormLayout(frame);
    fields->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    TextDirectory = AddField(fields, "SDK Path", "TextDirectory");
    TextAssembler = AddField(fields, "Assembler Path", "TextAssembler");
    TextNumberOfStates = AddField(fields, "Number of States", "TextNumberOfStates", 2);
    TextFirmwareVersion = AddField(fields, "Firmware Version", "TextFirmwareVersion", 6);
    int shortWidth = TextFirmwareVersion->fontMetrics().horizontalAdvance("0000000") + 16;
    TextNumberOfStates->setMaximumWidth(shortWidth);
    TextFirmwareVersion->setMaximumWidth(shortWidth);
    TextDirectory->setMinimumWidth(260);

    lblSettingsFile = new QLabel;
    lblSettingsFile->setObjectName("lblSettingsFile");
    lblSettingsFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblSettingsFile->setWordWrap(true);

    CheckUpdateOptions = new QCheckBox(this);
    CheckUpdateOptions->setObjectName("CheckUpdateOptions");
    CheckUpdateOptions->setVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOK = AddButton(buttons, "OK", "cmdOK");
    cmdCancel = AddButton(buttons, "Cancel", "cmdCancel");
    cmdApply = AddButton(buttons, "&Apply", "cmdApply");
    cmdOK->setDefault(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(frame);
    column->addWidget(lblSettingsFile);
    column->addLayout(buttons);
    setSizeGripEnabled(false);

    connect(cmdOK, &QPushButton::clicked, this, &OptionsDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &OptionsDialog::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &OptionsDialog::cmdApply_Click);
}

void OptionsDialog::Fill(const ToolSettings& settings) {
    TextDirectory->setText(ToQt(Trimmed(settings.SdkPath)));
    TextAssembler->setText(ToQt(Trimmed(settings.AssemblerPath)));
    TextNumberOfStates->setText(QString::number(settings.NumberOfStates));
    TextFirmwareVersion->setText(ToQt(Trimmed(settings.FirmwareVersion)));
    CheckUpdateOptions->setChecked(false);
    discarded_ = false;
    TextDirectory->setFocus();
}

void OptionsDialog::ShowSettingsFile(const std::string& path) {
    lblSettingsFile->setText("Settings file: " + ToQt(path));
}

ToolSettingsFields OptionsDialog::Fields() const {
    return {FromQt(TextDirectory->text()), FromQt(TextAssembler->text()),
            FromQt(TextNumberOfStates->text()), FromQt(TextFirmwareVersion->text())};
}

bool OptionsDialog::UpdateRequested() const {
    return !discarded_ && CheckUpdateOptions->isChecked();
}

// A refused or failed write leaves the flag as it was, so memory never takes
// over values the file does not hold.
bool OptionsDialog::WriteToolSettings() {
    if (!write_(Fields()))
        return false;
    CheckUpdateOptions->setChecked(true);
    return true;
}

void OptionsDialog::cmdOK_Click() {
    if (WriteToolSettings())
        hide();
}

void OptionsDialog::cmdApply_Click() {
    WriteToolSettings();
}

void OptionsDialog::cmdCancel_Click() {
    hide();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    discarded_ = true;
    QDialog::closeEvent(event);
}

}  // namespace cuffware
