#pragma once
// The main window's placement, saved at shutdown to the per-user settings
// store under the application title, section "Settings", in twips.

#include <windows.h>

#include "win32/user_settings.h"

namespace cuffware {

// Saves the outer frame at the window's DPI, as the placement's entries. A
// minimized window saves nothing.
void SaveWindowPlacement(HWND window, UserSettingsStore& store);

}  // namespace cuffware
