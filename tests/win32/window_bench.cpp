#include "win32/window_bench.h"

#include <shlobj.h>

#include "platform/file_system.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace cuffware::testing {

void WindowBench::SetUp() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    dir.Write("builder.ini", "BIN=c:\\q740\r\nASSEMBLER=c:\\c88\r\nSTATES=3\r\nVERSION=740018\r\n");
    window = std::make_unique<MainWindow>(DiskFileSystem(), processes, registry, store);
    window->hooks() = {
        [this](HWND, const std::string& text, MessageIcon icon) { user.ShowMessage(text, icon); },
        [this](HWND, const OpenFileRequest& request) { return user.AskOpenFile(request); },
        [this](HWND dialog) {
            ShowWindow(dialog, SW_SHOW);
            ASSERT_TRUE(onModal) << "an unexpected modal window";
            onModal(dialog);
            EXPECT_FALSE(IsWindowVisible(dialog)) << "the modal window is still open";
        }};
    window->Start(dir / "builder.ini", "");
    ShowWindow(Main(), SW_SHOW);
    Pump();
}

void WindowBench::TearDown() {
    window.reset();
    Pump();
}

std::string WindowBench::Text(HWND control) const {
    return WindowTextOf(control);
}

std::string WindowBench::StatusText() const {
    wchar_t text[256] = L"";
    SendMessageW(Item(IDC_STATUS_BAR), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

void WindowBench::Type(int id, const std::string& text) {
    SetWindowTextW(Item(id), Wide(text).c_str());
    Pump();
}

void WindowBench::Press(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
}

void WindowBench::Command(int id) {
    SendMessageW(Main(), WM_COMMAND, id, 0);
    Pump();
}

HTREEITEM WindowBench::ItemOfNode(int node) const {
    HWND tree = window->tree().hwnd();
    std::vector<HTREEITEM> pending{TreeView_GetRoot(tree)};
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        if (!item)
            continue;
        TVITEMW data{};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        TreeView_GetItem(tree, &data);
        if (data.lParam == node)
            return item;
        pending.push_back(TreeView_GetNextSibling(tree, item));
        pending.push_back(TreeView_GetChild(tree, item));
    }
    return nullptr;
}

void WindowBench::Select(int node) {
    TreeView_SelectItem(window->tree().hwnd(), ItemOfNode(node));
    Pump();
}

std::vector<std::string> WindowBench::TreeRows() const {
    HWND tree = window->tree().hwnd();
    std::vector<std::string> rows;
    std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM item, int depth) {
        for (; item; item = TreeView_GetNextSibling(tree, item)) {
            wchar_t text[MAX_PATH] = L"";
            TVITEMW data{};
            data.mask = TVIF_TEXT | TVIF_STATE;
            data.hItem = item;
            data.pszText = text;
            data.cchTextMax = MAX_PATH;
            data.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
            TreeView_GetItem(tree, &data);
            bool checked = (data.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
            rows.push_back(std::string(2 * depth, ' ') + (checked ? "[x] " : "[ ] ") +
                           ((data.state & TVIS_BOLD) ? "*" : "") + Narrow(text));
            walk(TreeView_GetChild(tree, item), depth + 1);
        }
    };
    walk(TreeView_GetRoot(tree), 0);
    return rows;
}

// A drop as Explorer delivers it: a DROPFILES block with the wide paths,
// each ended by a zero, the list by a second zero.
void WindowBench::Drop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths)
        list += path + L'\0';
    list += L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    list.copy(reinterpret_cast<wchar_t*>(drop + 1), list.size());
    GlobalUnlock(block);
    SendMessageW(window->tree().hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    Pump();
}

void WindowBench::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace cuffware::testing
