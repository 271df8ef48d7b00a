#include "win32/dialog_window.h"

#include "win32/wide_text.h"

namespace cuffware {

DialogWindow::~DialogWindow() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
}

void DialogWindow::SetItemText(int id, const std::string& text) const {
    SetWindowTextW(Item(id), Wide(text).c_str());
}

std::string DialogWindow::ItemText(int id) const {
    return WindowTextOf(Item(id));
}

void DialogWindow::Create(int templateId, HWND owner) {
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, Procedure,
                       reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<DialogWindow*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY)
        self->window_ = nullptr;
    LRESULT result = 0;
    if (!self->HandleMessage(message, wParam, lParam, result))
        return message == WM_INITDIALOG;
    // Notifications return their value through the window's message result.
    if (message == WM_NOTIFY)
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    else if (message == WM_CTLCOLORSTATIC)
        return static_cast<INT_PTR>(result);
    return message == WM_INITDIALOG ? result : TRUE;
}

}  // namespace cuffware
