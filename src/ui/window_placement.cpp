#include "ui/window_placement.h"

#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "app/window_models/window_placement.h"
#include "platform/user_port.h"
#include "ui/qt_text.h"

namespace cuffware {

void SaveWindowPlacement(const QWidget& window) {
    if (window.isMinimized())
        return;
    QScreen* screen = window.screen();
    double dotsPerInchX = screen ? screen->logicalDotsPerInchX() : 96.0;
    double dotsPerInchY = screen ? screen->logicalDotsPerInchY() : 96.0;
    QRect frame = window.frameGeometry();
    WindowPlacement placement = PlacementInTwips(
        {frame.left(), frame.top(), frame.width(), frame.height()}, dotsPerInchX, dotsPerInchY);
    QSettings store(kApplicationTitle, kApplicationTitle);
    store.beginGroup(kPlacementSection);
    for (const auto& [name, value] : PlacementEntries(placement))
        store.setValue(name, ToQt(value));
    store.endGroup();
}

}  // namespace cuffware
