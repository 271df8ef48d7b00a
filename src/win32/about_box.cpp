#include "win32/about_box.h"

#include "app/window_models/about_texts.h"
#include "platform/user_port.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace cuffware {

AboutBox::AboutBox(std::function<void()> startSysInfo, HWND owner)
    : startSysInfo_(std::move(startSysInfo)) {
    Create(IDD_ABOUT, owner);
    SetWindowTextW(hwnd(), Wide(kApplicationTitle).c_str());
    SetItemText(IDC_ABOUT_TITLE, kApplicationTitle);
    SetItemText(IDC_ABOUT_VERSION, ProgramVersionLine());
    SetItemText(IDC_ABOUT_DESCRIPTION, kAboutDescription);
    SetItemText(IDC_ABOUT_DISCLAIMER, kAboutDisclaimer);
    SetItemText(IDC_SYSTEM_INFO, kSystemInfoCaption);
    // The title stands out: bold, two fifths larger than the dialog's font.
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = font.lfHeight * 7 / 5;
    font.lfWeight = FW_BOLD;
    titleFont_ = CreateFontIndirectW(&font);
    SendMessageW(Item(IDC_ABOUT_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
}

AboutBox::~AboutBox() {
    if (titleFont_)
        DeleteObject(titleFont_);
}

bool AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = TRUE;
            return true;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                    ShowWindow(hwnd(), SW_HIDE);
                    return true;
                case IDC_SYSTEM_INFO:
                    if (startSysInfo_)
                        startSysInfo_();
                    return true;
            }
            return false;
    }
    return false;
}

}  // namespace cuffware
