#pragma once
// Tools > Options without a toolkit. The dialog edits the tool settings,
// a field for each row of ToolSettingRows() (its caption and limit there); OK and Apply write
// builder.ini at once, and the settings in memory take the fields over only when the showing ends,
// if OK or Apply wrote the file during it. The close box discards the dialog instead: memory keeps
// its values, and the front end drops its dialog object (a later opening builds a new one).
//
// A front end's protocol, for each opening:
//   options.Open();                      fill the fields from FieldText(),
//                                        the check boxes from Checked()
//   ... FieldChanged() as the user types, CheckChanged() as a box is
//   clicked; OK() hides the dialog when it returns true, Apply() leaves it
//   open, Cancel hides it; the close box calls CloseBox() and closes it ...
//   if (!options.Ended()) drop the dialog object.

#include <optional>
#include <string>

#include "app/actions/workbench.h"

namespace cuffware {

// A field of the dialog: one for each key of builder.ini.
using OptionsField = ToolSetting;

inline constexpr const char* kOptionsTitle = "Options";
inline constexpr const char* kOptionsFrameCaption = "Settings";

class OptionsModel {
  public:
    // Writes through bench.files to bench.settingsPath and reports through
    // bench.user; takes the fields over into bench.settings.
    explicit OptionsModel(Workbench& bench) : bench_(bench) {}

    // A new showing: the fields from the settings in memory (texts trimmed),
    // no write yet during it.
    void Open();

    void FieldChanged(OptionsField field, const std::string& text);
    const std::string& FieldText(OptionsField field) const;
    // A Flag row's field is a check box; its text is FlagText() of its state.
    void CheckChanged(OptionsField field, bool checked);
    bool Checked(OptionsField field) const;

    // OK: writes builder.ini; true (hide the dialog) when it was written.
    // A refused or failed write is reported and the dialog stays.
    bool OK();
    // Apply: writes builder.ini (a failure is reported); the dialog stays.
    void Apply();
    // Cancel has nothing to do here: the dialog hides, and what OK or Apply
    // wrote during the showing is still taken over at its end.
    // The close box: nothing taken over at the end.
    void CloseBox();

    // The showing ended (the dialog hidden or closed): the settings in memory
    // take the fields over when OK or Apply wrote the file during it and the
    // close box was not used. Returns false when the close box discarded the
    // dialog: the front end drops its dialog object.
    bool Ended();

    // The field whose value the last OK or Apply refused, or nothing. After
    // OK (when the dialog stays open) and after Apply the front end puts the
    // focus there and selects the field's whole text, so the user types the
    // value anew.
    std::optional<OptionsField> RefusedField() const { return refusedField_; }

    // OK or Apply wrote the file during this showing.
    bool Written() const { return written_; }

    // The line under the fields naming the file OK and Apply write.
    std::string SettingsFileLine() const { return "Settings file: " + bench_.settingsPath; }

  private:
    bool Write();

    Workbench& bench_;
    ToolSettingsFields fields_;
    bool written_ = false;
    bool discarded_ = false;
    std::optional<OptionsField> refusedField_;
};

}  // namespace cuffware
