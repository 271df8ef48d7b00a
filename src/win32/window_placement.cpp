#include "win32/window_placement.h"

#include <string>

#include "platform/user_port.h"

namespace cuffware {

namespace {

constexpr int kTwipsPerInch = 1440;

}  // namespace

void SaveWindowPlacement(HWND window, UserSettingsStore& store) {
    if (IsIconic(window))
        return;
    RECT frame{};
    GetWindowRect(window, &frame);
    int dpi = static_cast<int>(GetDpiForWindow(window));
    auto save = [&](const char* key, int pixels) {
        // Nothing reads the placement back, so a failed save is not worth a
        // message at shutdown.
        (void)store.SaveSetting(kApplicationTitle, "Settings", key,
                                std::to_string(MulDiv(pixels, kTwipsPerInch, dpi)));
    };
    save("MainLeft", frame.left);
    save("MainTop", frame.top);
    save("MainWidth", frame.right - frame.left);
    save("MainHeight", frame.bottom - frame.top);
}

}  // namespace cuffware
