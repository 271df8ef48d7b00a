#include "win32/file_tree_view.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "win32/wide_text.h"

namespace cuffware {

namespace {

int NodeOfItem(HWND tree, HTREEITEM item) {
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    return item && TreeView_GetItem(tree, &data) ? static_cast<int>(data.lParam) : 0;
}

std::vector<std::string> DroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Narrow(path));
    }
    return paths;
}

}  // namespace

FileTreeView::FileTreeView(HWND tree) : tree_(tree) {
    SetWindowLongPtrW(tree_, GWL_STYLE, GetWindowLongPtrW(tree_, GWL_STYLE) | TVS_CHECKBOXES);
    SetWindowSubclass(tree_, Subclass, 0, reinterpret_cast<DWORD_PTR>(this));
}

void FileTreeView::Show(const std::vector<TreeRow>& rows, int selectNode) {
    if (TreeNeedsRebuild(shownRows_, rows)) {
        shownRows_ = rows;
        SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
        TreeView_DeleteAllItems(tree_);
        items_.clear();
        for (const TreeRow& row : rows) {
            std::wstring text = Wide(row.text);
            TVINSERTSTRUCTW insert{};
            auto parent = items_.find(row.parent);
            insert.hParent = parent == items_.end() ? TVI_ROOT : parent->second;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
            insert.item.pszText = text.data();
            insert.item.lParam = row.node;
            insert.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
            insert.item.state =
                INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1) | (row.bold ? TVIS_BOLD : 0);
            items_[row.node] = TreeView_InsertItem(tree_, &insert);
        }
        for (const TreeRow& row : rows)
            if (row.expanded)
                TreeView_Expand(tree_, items_[row.node], TVE_EXPAND);
        SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree_, nullptr, TRUE);
    }
    auto selected = items_.find(selectNode);
    HTREEITEM item = selected == items_.end() ? nullptr : selected->second;
    if (TreeView_GetSelection(tree_) != item)
        TreeView_SelectItem(tree_, item);
}

int FileTreeView::SelectedNode() const {
    return NodeOfItem(tree_, TreeView_GetSelection(tree_));
}

void FileTreeView::AcceptFileDrops(bool accept) {
    if (accept != acceptingDrops_)
        DragAcceptFiles(tree_, accept);
    acceptingDrops_ = accept;
}

LRESULT CALLBACK FileTreeView::Subclass(HWND tree, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    bool handled = false;
    LRESULT result =
        reinterpret_cast<FileTreeView*>(self)->Handle(message, wParam, lParam, handled);
    return handled ? result : DefSubclassProc(tree, message, wParam, lParam);
}

// The check marks show the project's state, so neither a click on a check
// box nor the space bar may toggle one; the click still selects its node.
LRESULT FileTreeView::Handle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            TVHITTESTINFO hit{};
            hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (TreeView_HitTest(tree_, &hit) && (hit.flags & TVHT_ONITEMSTATEICON)) {
                SetFocus(tree_);
                TreeView_SelectItem(tree_, hit.hItem);
                NMHDR click{tree_, static_cast<UINT_PTR>(GetDlgCtrlID(tree_)),
                            static_cast<UINT>(NM_CLICK)};
                SendMessageW(GetParent(tree_), WM_NOTIFY, click.idFrom,
                             reinterpret_cast<LPARAM>(&click));
                handled = true;
            }
            return 0;
        }
        case WM_KEYDOWN:
        case WM_CHAR:
            handled = wParam == VK_SPACE;
            return 0;
        case WM_DROPFILES: {
            auto drop = reinterpret_cast<HDROP>(wParam);
            std::vector<std::string> paths = DroppedPaths(drop);
            DragFinish(drop);
            if (takesDroppedFiles && takesDroppedFiles(paths.size()) && onDrop)
                onDrop(paths);
            handled = true;
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(tree_, Subclass, 0);
            return 0;
    }
    return 0;
}

}  // namespace cuffware
