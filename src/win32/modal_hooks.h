#pragma once
// Everything the windows show modally goes through these hooks, so a test
// can answer a message box, a file dialog or a dialog without a modal loop
// waiting for a user.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/user_port.h"

namespace cuffware {

struct ModalHooks {
    // A message box captioned with the application title, with the icon and
    // an OK button.
    std::function<void(HWND owner, const std::string& text, MessageIcon icon)> showMessage;
    // The open-file dialog; nothing when the user cancelled.
    std::function<std::optional<std::string>(HWND owner, const OpenFileRequest& request)>
        askOpenFile;
    // Shows a dialog modal over its owner and returns once it is hidden or
    // destroyed.
    std::function<void(HWND dialog)> runModal;
};

// The real message box, file dialog and modal loop.
ModalHooks DesktopModalHooks();

// A "Label|*.ext|Label|*.*" filter as the file dialog takes it: each part
// ended by a zero, the list by a second zero.
std::wstring OpenFileFilter(const std::string& filter);

// A window's keyboard shortcuts (an HACCEL) are kept in this property of
// the window; the message loop translates them while it is in front.
inline constexpr const wchar_t* kKeyboardShortcutsProperty = L"CuffwareKeyboardShortcuts";

// The message loop of the program and of every modal dialog: keyboard
// navigation inside the active dialog, until `running` says stop or the
// program is asked to quit (the quit is passed on to the outer loop).
// Returns false when the program is quitting.
bool PumpMessages(const std::function<bool()>& running);

}  // namespace cuffware
