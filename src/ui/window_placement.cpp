#include "ui/window_placement.h"

#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <cmath>
#include <memory>

#include "platform/user_port.h"

namespace cuffware {

namespace {

constexpr double kTwipsPerInch = 1440.0;

long long Twips(int pixels, double dotsPerInch) {
    return std::llround(pixels * kTwipsPerInch / dotsPerInch);
}

}  // namespace

WindowPlacement PlacementInTwips(const QRect& frame, double dotsPerInchX, double dotsPerInchY) {
    return {Twips(frame.left(), dotsPerInchX), Twips(frame.top(), dotsPerInchY),
            Twips(frame.width(), dotsPerInchX), Twips(frame.height(), dotsPerInchY)};
}

std::unique_ptr<QSettings> NewPlacementStore() {
    return std::make_unique<QSettings>(kApplicationTitle, kApplicationTitle);
}

void SaveWindowPlacement(const QWidget& window) {
    if (window.isMinimized())
        return;
    QScreen* screen = window.screen();
    double dotsPerInchX = screen ? screen->logicalDotsPerInchX() : 96.0;
    double dotsPerInchY = screen ? screen->logicalDotsPerInchY() : 96.0;
    WindowPlacement placement =
        PlacementInTwips(window.frameGeometry(), dotsPerInchX, dotsPerInchY);
    std::unique_ptr<QSettings> store = NewPlacementStore();
    store->beginGroup("Settings");
    store->setValue("MainLeft", QString::number(placement.MainLeft));
    store->setValue("MainTop", QString::number(placement.MainTop));
    store->setValue("MainWidth", QString::number(placement.MainWidth));
    store->setValue("MainHeight", QString::number(placement.MainHeight));
    store->endGroup();
}

}  // namespace cuffware
