#include "win32/modal_hooks.h"

#include <commdlg.h>

#include <vector>

#include "win32/wide_text.h"

namespace cuffware {

namespace {

UINT MessageBoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return MB_ICONERROR;
        case MessageIcon::Exclamation:
            return MB_ICONWARNING;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
        case MessageIcon::None:
            break;
    }
    return 0;
}

void ShowMessageBox(HWND owner, const std::string& text, MessageIcon icon) {
    MessageBoxW(owner, Wide(text).c_str(), Wide(kApplicationTitle).c_str(),
                MB_OK | MessageBoxIcon(icon));
}

std::optional<std::string> AskOpenFileName(HWND owner, const OpenFileRequest& request) {
    std::wstring filter = OpenFileFilter(request.filter);
    std::wstring title = Wide(request.title);
    std::vector<wchar_t> file(32768, L'\0');
    std::wstring initial = Wide(request.initialFileName);
    initial.copy(file.data(), file.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    std::wstring directory = Wide(request.initialDirectory);
    if (!directory.empty())
        dialog.lpstrInitialDir = directory.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;
    return Narrow(file.data());
}

void RunModalLoop(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner)
        EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    PumpMessages([dialog] { return IsWindow(dialog) && IsWindowVisible(dialog); });
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

}  // namespace

ModalHooks DesktopModalHooks() {
    return {ShowMessageBox, AskOpenFileName, RunModalLoop};
}

std::wstring OpenFileFilter(const std::string& filter) {
    std::wstring parts = Wide(filter);
    for (wchar_t& c : parts)
        if (c == L'|')
            c = L'\0';
    parts.push_back(L'\0');
    parts.push_back(L'\0');
    return parts;
}

bool PumpMessages(const std::function<bool()>& running) {
    MSG message;
    while (running()) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got < 0)
            return false;
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        auto keys =
            root ? static_cast<HACCEL>(GetPropW(root, kKeyboardShortcutsProperty)) : nullptr;
        if (keys && TranslateAcceleratorW(root, keys, &message))
            continue;
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace cuffware
