#pragma once
// The main window's placement, saved when the window closes (unless it is
// minimized) in twips, 1/1440 inch, in the per-user settings store under the
// application title, section "Settings". Nothing reads it back. The front end
// owns the store; this is what goes into it.

#include <array>
#include <string>
#include <utility>

namespace cuffware {

inline constexpr const char* kPlacementSection = "Settings";

// The window's outer rectangle in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct WindowPlacement {
    long long mainLeft = 0;
    long long mainTop = 0;
    long long mainWidth = 0;
    long long mainHeight = 0;
};

// The rectangle at the screen's logical dots per inch, in twips (rounded to
// the nearest).
WindowPlacement PlacementInTwips(const PixelRect& frame, double dotsPerInchX, double dotsPerInchY);

// The store's names and value texts: MainLeft, MainTop, MainWidth, MainHeight.
std::array<std::pair<const char*, std::string>, 4> PlacementEntries(
    const WindowPlacement& placement);

}  // namespace cuffware
