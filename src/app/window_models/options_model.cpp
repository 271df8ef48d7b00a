#include "app/window_models/options_model.h"

namespace cuffware {

void OptionsModel::Open() {
    fields_ = ToolSettingsFieldsOf(bench_.settings);
    written_ = false;
    discarded_ = false;
}

void OptionsModel::FieldChanged(OptionsField field, const std::string& text) {
    fields_[field] = text;
}

const std::string& OptionsModel::FieldText(OptionsField field) const {
    return fields_[field];
}

void OptionsModel::CheckChanged(OptionsField field, bool checked) {
    fields_[field] = std::string(FlagText(checked));
}

bool OptionsModel::Checked(OptionsField field) const {
    return FlagValue(fields_[field]);
}

// A refused or failed write leaves written_ as it was, so memory never takes
// over values the file does not hold.
bool OptionsModel::Write() {
    Status status = WriteToolSettingsFile(bench_.files, bench_.settingsPath, fields_);
    refusedField_.reset();
    if (std::optional<RefusedToolSetting> refused = RefusedSetting(fields_))
        refusedField_ = refused->setting;
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
