#pragma once
// The About box: the program's icon, title, version, description and rights line;
// OK (Enter and Esc) closes it, System Info starts the system information
// viewer.

#include <functional>

#include "win32/dialog_window.h"

namespace cuffware {

class AboutBox : public DialogWindow {
  public:
    AboutBox(std::function<void()> startSysInfo, HWND owner);
    ~AboutBox() override;

  protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    std::function<void()> startSysInfo_;
    HFONT titleFont_ = nullptr;
};

}  // namespace cuffware
