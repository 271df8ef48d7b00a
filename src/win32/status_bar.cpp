#include "win32/status_bar.h"

#include <commctrl.h>

#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace cuffware {

namespace {

enum Panel { kStatusPanel, kDatePanel, kTimePanel };

std::wstring PanelText(HWND bar, int panel) {
    std::wstring text(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0)) + 1, L'\0');
    text.resize(
        LOWORD(SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

int TextWidth(HWND bar, const std::wstring& text) {
    HDC dc = GetDC(bar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
    return size.cx;
}

}  // namespace

StatusBar::StatusBar(HWND window) : window_(window) {
    bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)),
                           GetModuleHandleW(nullptr), nullptr);
    RECT bar{};
    GetWindowRect(bar_, &bar);
    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + (bar.bottom - bar.top), SWP_NOMOVE | SWP_NOZORDER);
    int edges[3] = {0, 0, -1};
    SendMessageW(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    UpdateClock();
    Resize();
}

void StatusBar::SetStatus(const std::string& text) {
    SendMessageW(bar_, SB_SETTEXTW, kStatusPanel, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

std::string StatusBar::Status() const {
    return Narrow(PanelText(bar_, kStatusPanel));
}

void StatusBar::UpdateClock() {
    wchar_t date[80] = L"";
    wchar_t time[80] = L"";
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80, nullptr);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, 80);
    bool widthsChanged = PanelText(bar_, kDatePanel).size() != wcslen(date) ||
                         PanelText(bar_, kTimePanel).size() != wcslen(time);
    SendMessageW(bar_, SB_SETTEXTW, kDatePanel, reinterpret_cast<LPARAM>(date));
    SendMessageW(bar_, SB_SETTEXTW, kTimePanel, reinterpret_cast<LPARAM>(time));
    if (widthsChanged)
        Resize();
}

void StatusBar::Resize() {
    SendMessageW(bar_, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(bar_, &client);
    int padding = TextWidth(bar_, L"0000");
    int timeWidth = TextWidth(bar_, PanelText(bar_, kTimePanel)) + padding;
    int dateWidth = TextWidth(bar_, PanelText(bar_, kDatePanel)) + padding;
    int edges[3] = {client.right - timeWidth - dateWidth, client.right - timeWidth, -1};
    SendMessageW(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

}  // namespace cuffware
