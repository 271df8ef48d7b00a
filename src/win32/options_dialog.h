#pragma once
// Tools > Options on the Windows API: the fields of the options model and
// its buttons. OK hides the dialog when the model wrote the file, Cancel
// (and Esc) hides it; the close box tells the model, which then discards
// the dialog.

#include "app/window_models/options_model.h"
#include "win32/dialog_window.h"

namespace cuffware {

class OptionsDialog : public DialogWindow {
  public:
    OptionsDialog(OptionsModel& model, HWND owner);

    // Before each showing, after the model's Open: the fields from the model.
    void Fill();

  protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    // The focus on the field OK or Apply refused, its text selected.
    void FocusRefusedField();
    // A notification from a field's control: typed text, or a click on a
    // check box.
    void FieldCommand(const ToolSettingRow& row, int code);

    OptionsModel& model_;
    bool filling_ = false;
};

}  // namespace cuffware
