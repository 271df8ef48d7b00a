#include "win32/about_box.h"

#include "platform/user_port.h"
#include "program_version.h"
#include "win32/resource_ids.h"

namespace cuffware {

std::string VersionLine(int major, int minor, int revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

AboutBox::AboutBox(std::function<void()> startSysInfo, HWND owner)
    : startSysInfo_(std::move(startSysInfo)) {
    Create(IDD_ABOUT, owner);
    SetItemText(IDC_ABOUT_TITLE, kApplicationTitle);
    SetItemText(IDC_ABOUT_VERSION, VersionLine(CUFFWARE_VERSION_MAJOR, CUFFWARE_VERSION_MINOR,
                                               CUFFWARE_VERSION_REVISION));
    SetItemText(IDC_ABOUT_DESCRIPTION, "Creates build scripts for q740 cuffwares.");
    SetItemText(IDC_ABOUT_DISCLAIMER,
                "Copyright (c) 2002 Cuffware Builder developers. All rights reserved.");
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
