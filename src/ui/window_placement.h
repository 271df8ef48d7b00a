#pragma once
// The main window's placement, saved at shutdown in twips (1/1440 inch)
// under the application title, section "Settings". Nothing reads it back.

#include <QRect>
#include <memory>

class QSettings;
class QWidget;

namespace cuffware {

struct WindowPlacement {
    long long MainLeft = 0;
    long long MainTop = 0;
    long long MainWidth = 0;
    long long MainHeight = 0;
};

// The window's outer rectangle in pixels, at the screen's logical dots per
// inch, measured in twips.
WindowPlacement PlacementInTwips(const QRect& frame, double dotsPerInchX, double dotsPerInchY);

// The per-user settings store the placement goes to.
std::unique_ptr<QSettings> NewPlacementStore();

// Saves the placement of a window that is not minimized.
void SaveWindowPlacement(const QWidget& window);

}  // namespace cuffware
