#pragma once
// A window laid out by a dialog template of the resource script, whose
// messages go to a C++ object. Dialog units make the layout follow the font
// and the screen's DPI.

#include <windows.h>

#include <string>

namespace cuffware {

class DialogWindow {
  public:
    DialogWindow() = default;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    virtual ~DialogWindow();

    HWND hwnd() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    void SetItemText(int id, const std::string& text) const;
    std::string ItemText(int id) const;

  protected:
    // Creates the window, hidden unless the template says otherwise.
    void Create(int templateId, HWND owner);

    // A message of the window; returns whether it was handled. WM_INITDIALOG
    // arrives before Create returns.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

  private:
    static INT_PTR CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

}  // namespace cuffware
