#pragma once
// The core's texts are in the 8-bit code page; the windows take UTF-16.

#include <windows.h>

#include <string>

namespace cuffware {

std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);

// A window's text, narrowed.
std::string WindowTextOf(HWND window);

// Sets an edit control's text only when it differs, keeping the caret where
// the user types, and without telling the parent a change happened twice.
void ShowEditText(HWND edit, const std::string& text);

}  // namespace cuffware
