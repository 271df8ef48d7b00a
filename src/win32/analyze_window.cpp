#include "win32/analyze_window.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace cuffware {

namespace {

constexpr int kSectionColumn = 0;
constexpr int kUsageColumn = 1;
// The bar starts right of the widest number the column shows.
constexpr int kTextWidthDigits = 6;
constexpr COLORREF kBaseColour = RGB(160, 174, 192);
constexpr COLORREF kUsageColour = RGB(64, 128, 200);
constexpr COLORREF kExceededColour = RGB(200, 40, 40);
constexpr COLORREF kErrorColour = RGB(255, 0, 0);

// The value control of each of the view's values, in window order.
constexpr int kValueControls[] = {IDC_CODE_FILE,    IDC_EEPROM_USAGE,    IDC_CODE_SIZE,
                                  IDC_COMMON_USAGE, IDC_MAX_STATE_USAGE, IDC_MAX_OVERLAY_USAGE,
                                  IDC_OVERLAY_SIZE};

// Four pixels at 96 DPI, scaled to the window's.
int Padding(HWND window) {
    return MulDiv(4, static_cast<int>(GetDpiForWindow(window)), 96);
}

void FillBox(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    if (width <= 0 || height <= 0)
        return;
    RECT box{left, top, left + width, top + height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

// The window's background a shade darker, as the empty track.
COLORREF Darker(COLORREF colour) {
    auto part = [](int value) { return static_cast<BYTE>(value * 100 / 106); };
    return RGB(part(GetRValue(colour)), part(GetGValue(colour)), part(GetBValue(colour)));
}

}  // namespace

AnalyzeWindow::AnalyzeWindow(const MemoryUsageView& view, HWND owner) : rows_(view.rows) {
    Create(IDD_ANALYZE, owner);
    SetWindowTextW(hwnd(), Wide(kAnalysisTitle).c_str());
    for (size_t i = 0; i < view.values.size() && i < std::size(kValueControls); ++i) {
        SetItemText(IDC_ANALYSIS_CAPTION_FIRST + static_cast<int>(i), view.values[i].caption);
        SetItemText(kValueControls[i], view.values[i].value);
    }
    PlaceErrorBeside(view.errorBeside < std::size(kValueControls)
                         ? Item(kValueControls[view.errorBeside])
                         : nullptr);
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
    rowHeight_ = ImageList_Create(1, metrics.tmHeight + 2 * Padding(list), ILC_COLOR, 0, 0);
    ListView_SetImageList(list, rowHeight_, LVSIL_SMALL);

    // The section column takes half the table; the usage column the rest.
    RECT table{};
    GetClientRect(list, &table);
    int half = table.right / 2;
    for (size_t i = 0; i < view.columns.size(); ++i) {
        std::wstring caption = Wide(view.columns[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = caption.data();
        column.cx = i == 0 ? half : table.right - half - GetSystemMetrics(SM_CXVSCROLL);
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

    int padding = Padding(list);
    const MemoryUsageRow& row = rows_[index];
    std::wstring number = Wide(row.usageText);
    SIZE digits{};
    GetTextExtentPoint32W(dc, L"000000", kTextWidthDigits, &digits);
    RECT text{cell.left + padding, cell.top, cell.left + padding + digits.cx, cell.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    RECT track{text.right + padding, cell.top + padding, cell.right - padding,
               cell.bottom - padding};
    int width = track.right - track.left;
    int height = track.bottom - track.top;
    if (width < 8 || height < 4)
        return CDRF_SKIPDEFAULT;
    int baseWidth = BarSpan(row.base, width);
    int totalWidth = BarSpan(row.base + row.usage, width);
    FillBox(dc, track.left, track.top, width, height, Darker(GetSysColor(COLOR_WINDOW)));
    FillBox(dc, track.left, track.top, baseWidth, height, kBaseColour);
    FillBox(dc, track.left + baseWidth, track.top, totalWidth - baseWidth, height,
            row.exceeded ? kExceededColour : kUsageColour);
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    FrameRect(dc, &track, frame);
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
            SetTextColor(reinterpret_cast<HDC>(wParam), kErrorColour);
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
