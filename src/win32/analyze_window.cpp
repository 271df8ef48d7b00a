#include "win32/analyze_window.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/accessible_name.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace cuffware {

namespace {

constexpr int kSectionColumn = 0;
constexpr int kUsageColumn = 1;
COLORREF ToColorRef(Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

Colour FromColorRef(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The value control of each of the view's values, by the value's name.
struct ValueControl {
    std::string_view name;
    int id;
};
constexpr ValueControl kValueControls[] = {
    {"FileName", IDC_FILE_NAME},
    {"ImageSize", IDC_IMAGE_SIZE},
    {"UsedSize", IDC_USED_SIZE},
    {"CommonUsage", IDC_COMMON_USAGE},
    {"MaxStateUsage", IDC_MAX_STATE_USAGE},
    {"MaxOverlayUsage", IDC_MAX_OVERLAY_USAGE},
    {"OverlaySize", IDC_OVERLAY_SIZE},
};

// The control of the value of that name; 0 for one the window has none for.
int ValueControlOf(std::string_view name) {
    for (const ValueControl& control : kValueControls)
        if (control.name == name)
            return control.id;
    return 0;
}

// The bar's padding, given at 96 DPI, scaled to the window's.
int Padding(HWND window) {
    return MulDiv(kUsageBarPadding, static_cast<int>(GetDpiForWindow(window)), 96);
}

void FillBox(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    if (width <= 0 || height <= 0)
        return;
    RECT box{left, top, left + width, top + height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

}  // namespace

AnalyzeWindow::AnalyzeWindow(const MemoryUsageView& view, HWND owner) : rows_(view.rows) {
    Create(IDD_ANALYZE, owner);
    SetWindowTextW(hwnd(), Wide(kAnalysisTitle).c_str());
    SetItemText(IDC_OVERLAY_ERROR, kOverlayErrorMark);
    for (size_t i = 0; i < view.values.size(); ++i) {
        const MemoryUsageValue& value = view.values[i];
        int control = ValueControlOf(value.name);
        if (control == 0)
            continue;
        SetItemText(IDC_ANALYSIS_CAPTION_FIRST + static_cast<int>(i), value.caption);
        SetItemText(control, value.value);
        if (value.errorMark)
            PlaceErrorBeside(Item(control));
    }
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    errorFont_ = CreateFontIndirectW(&font);
    SendMessageW(Item(IDC_OVERLAY_ERROR), WM_SETFONT, reinterpret_cast<WPARAM>(errorFont_), FALSE);
    ShowWindow(Item(IDC_OVERLAY_ERROR), view.overlayExceeded ? SW_SHOW : SW_HIDE);

    HWND list = Item(IDC_SECTION_LIST);
    ListView_SetExtendedListViewStyle(list,
                                      LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP);
    // Rows tall enough for the bar: a blank image list sets their height.
    TEXTMETRICW metrics{};
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    rowHeight_ =
        ImageList_Create(1, UsageRowHeight(metrics.tmHeight, Padding(list)), ILC_COLOR, 0, 0);
    ListView_SetImageList(list, rowHeight_, LVSIL_SMALL);

    SetAccessibleName(list, kSectionListAccessibleName);
    // The section column takes half the table; the usage column the rest.
    RECT table{};
    GetClientRect(list, &table);
    for (size_t i = 0; i < view.columns.size(); ++i) {
        std::wstring caption = Wide(view.columns[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = caption.data();
        column.cx = table.right / 2;
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
    for (const MemoryUsageRow& row : rows_) {
        std::wstring section = Wide(row.section);
        std::wstring usage = Wide(row.usageText);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = ListView_GetItemCount(list);
        item.pszText = section.data();
        int index = ListView_InsertItem(list, &item);
        ListView_SetItemText(list, index, kUsageColumn, usage.data());
    }
    // Once the rows (and a scroll bar they need) are in: the usage column
    // reaches the table's right edge, so the header shows no empty third part.
    ListView_SetColumnWidth(list, kUsageColumn, LVSCW_AUTOSIZE_USEHEADER);
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
}

// The ERROR mark stands right of the value it belongs to.
void AnalyzeWindow::PlaceErrorBeside(HWND value) const {
    if (!value)
        return;
    RECT box{};
    GetWindowRect(value, &box);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&box), 2);
    SetWindowPos(Item(IDC_OVERLAY_ERROR), nullptr, box.right + Padding(hwnd()), box.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

AnalyzeWindow::~AnalyzeWindow() {
    if (errorFont_)
        DeleteObject(errorFont_);
    if (rowHeight_)
        ImageList_Destroy(rowHeight_);
}

// The cell as usual (the number at its left), then the bar: the empty track,
// the part it stands on, and its own part, red when the sum passes the overlay.
LRESULT AnalyzeWindow::DrawUsageCell(NMLVCUSTOMDRAW& draw) const {
    auto index = static_cast<size_t>(draw.nmcd.dwItemSpec);
    if (index >= rows_.size())
        return CDRF_DODEFAULT;
    HWND list = draw.nmcd.hdr.hwndFrom;
    RECT cell{};
    ListView_GetSubItemRect(list, static_cast<int>(index), kUsageColumn, LVIR_BOUNDS, &cell);
    HDC dc = draw.nmcd.hdc;
    bool selected = ListView_GetItemState(list, static_cast<int>(index), LVIS_SELECTED) != 0;
    COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillBox(dc, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, background);

    const MemoryUsageRow& row = rows_[index];
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    UsageBar bar =
        LayOutUsageBar(row, {cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top},
                       digit.cx, Padding(list));
    std::wstring number = Wide(row.usageText);
    RECT text{bar.number.left, bar.number.top, bar.number.left + bar.number.width,
              bar.number.top + bar.number.height};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (!bar.shown)
        return CDRF_SKIPDEFAULT;

    const Box& track = bar.track;
    FillBox(dc, track.left, track.top, track.width, track.height,
            ToColorRef(TrackColour(FromColorRef(GetSysColor(COLOR_WINDOW)))));
    FillBox(dc, track.left, track.top, bar.baseWidth, track.height, ToColorRef(kBarBaseColour));
    FillBox(dc, track.left + bar.baseWidth, track.top, bar.usageWidth, track.height,
            ToColorRef(row.exceeded ? kBarExceededColour : kBarUsageColour));
    RECT frameBox{track.left, track.top, track.left + track.width, track.top + track.height};
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    FrameRect(dc, &frameBox, frame);
    DeleteObject(frame);
    return CDRF_SKIPDEFAULT;
}

bool AnalyzeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = TRUE;
            return true;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ShowWindow(hwnd(), SW_HIDE);
                return true;
            }
            return false;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) != Item(IDC_OVERLAY_ERROR))
                return false;
            SetTextColor(reinterpret_cast<HDC>(wParam), ToColorRef(kErrorMarkColour));
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            return true;
        case WM_NOTIFY: {
            auto& header = *reinterpret_cast<NMHDR*>(lParam);
            if (header.idFrom != IDC_SECTION_LIST || header.code != NM_CUSTOMDRAW)
                return false;
            auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
            switch (draw.nmcd.dwDrawStage) {
                case CDDS_PREPAINT:
                    result = CDRF_NOTIFYITEMDRAW;
                    return true;
                case CDDS_ITEMPREPAINT:
                    result = CDRF_NOTIFYSUBITEMDRAW;
                    return true;
                case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
                    result = draw.iSubItem == kUsageColumn ? DrawUsageCell(draw) : CDRF_DODEFAULT;
                    return true;
            }
            result = CDRF_DODEFAULT;
            return true;
        }
    }
    return false;
}

}  // namespace cuffware
