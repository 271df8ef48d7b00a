#include "win32/window_placement.h"

#include "app/window_models/window_placement.h"
#include "platform/user_port.h"

namespace cuffware {

void SaveWindowPlacement(HWND window, UserSettingsStore& store) {
    if (IsIconic(window))
        return;
    RECT frame{};
    GetWindowRect(window, &frame);
    double dpi = GetDpiForWindow(window);
    WindowPlacement placement = PlacementInTwips(
        {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}, dpi, dpi);
    // Nothing reads the placement back, so a failed save is not worth a
    // message at shutdown.
    for (const auto& [key, value] : PlacementEntries(placement))
        (void)store.SaveSetting(kApplicationTitle, kPlacementSection, key, value);
}

}  // namespace cuffware
