#pragma once
// frmOptions: edits the tool settings. Created at its first opening and kept,
// hidden, between openings. OK and Apply write builder.ini through the
// writer and set the result flag; the main window takes the fields over
// when the dialog has closed with the flag set. Cancel (and Esc) only hide
// it; the close box discards it, so its flag reads as clear.

#include <functional>

#include "project/tool_settings.h"
#include "win32/dialog_window.h"

namespace cuffware {

class OptionsDialog : public DialogWindow {
  public:
    // Writes the fields; false when the file was not written (the writer
    // has told the user why).
    using Writer = std::function<bool(const ToolSettingsFields&)>;

    OptionsDialog(Writer write, HWND owner);

    // Before each showing: the fields from memory, each trimmed, the flag clear.
    void Fill(const ToolSettings& settings);
    ToolSettingsFields Fields() const;
    bool UpdateRequested() const { return !discarded_ && updateRequested_; }
    bool Discarded() const { return discarded_; }

  protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    bool WriteToolSettings();

    Writer write_;
    bool updateRequested_ = false;
    bool discarded_ = false;
};

}  // namespace cuffware
