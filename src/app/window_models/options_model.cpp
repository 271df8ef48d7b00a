#include "app/window_models/options_model.h"

#include "project/text_rules.h"

namespace cuffware {

namespace {

constexpr OptionsFieldLayout kLayouts[] = {
    {OptionsField::SdkPath, "SDK Path", 0},
    {OptionsField::AssemblerPath, "Assembler Path", 0},
    {OptionsField::NumberOfStates, "Number of States", 2},
    {OptionsField::FirmwareVersion, "Firmware Version", 6},
};

// The fields' texts, in OptionsField order.
constexpr std::string ToolSettingsFields::*kMembers[] = {
    &ToolSettingsFields::sdkPath, &ToolSettingsFields::assemblerPath,
    &ToolSettingsFields::numberOfStates, &ToolSettingsFields::firmwareVersion};

}  // namespace

std::span<const OptionsFieldLayout> OptionsFieldLayouts() {
    return kLayouts;
}

void OptionsModel::Open() {
    const ToolSettings& settings = bench_.settings;
    fields_ = {Trimmed(settings.SdkPath), Trimmed(settings.AssemblerPath),
               std::to_string(settings.NumberOfStates), Trimmed(settings.FirmwareVersion)};
    written_ = false;
    discarded_ = false;
}

void OptionsModel::FieldChanged(OptionsField field, const std::string& text) {
    fields_.*kMembers[static_cast<int>(field)] = text;
}

const std::string& OptionsModel::FieldText(OptionsField field) const {
    return fields_.*kMembers[static_cast<int>(field)];
}

// A refused or failed write leaves written_ as it was, so memory never takes
// over values the file does not hold.
bool OptionsModel::Write() {
    Status status = WriteToolSettingsFile(bench_.files, bench_.settingsPath, fields_);
    refusedField_.reset();
    if (!NumberOfStatesProblem(WholeNumber(fields_.numberOfStates)).empty())
        refusedField_ = OptionsField::NumberOfStates;
    if (!status) {
        bench_.user.ShowMessage(status.error().Text(), MessageIcon::Exclamation);
        return false;
    }
    written_ = true;
    return true;
}

bool OptionsModel::OK() {
    return Write();
}

void OptionsModel::Apply() {
    (void)Write();  // a failure has been reported; the dialog stays either way
}

void OptionsModel::CloseBox() {
    discarded_ = true;
}

bool OptionsModel::Ended() {
    if (discarded_)
        return false;
    if (written_)
        bench_.settings = ToolSettingsFromFields(fields_);
    return true;
}

}  // namespace cuffware
