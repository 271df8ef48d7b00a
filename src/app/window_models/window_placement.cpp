#include "app/window_models/window_placement.h"

#include <cmath>

namespace cuffware {

namespace {

constexpr double kTwipsPerInch = 1440.0;

long long Twips(int pixels, double dotsPerInch) {
    return std::llround(pixels * kTwipsPerInch / dotsPerInch);
}

}  // namespace

WindowPlacement PlacementInTwips(const PixelRect& frame, double dotsPerInchX, double dotsPerInchY) {
    return {Twips(frame.left, dotsPerInchX), Twips(frame.top, dotsPerInchY),
            Twips(frame.width, dotsPerInchX), Twips(frame.height, dotsPerInchY)};
}

std::array<std::pair<const char*, std::string>, 4> PlacementEntries(
    const WindowPlacement& placement) {
    return {{{"MainLeft", std::to_string(placement.mainLeft)},
             {"MainTop", std::to_string(placement.mainTop)},
             {"MainWidth", std::to_string(placement.mainWidth)},
             {"MainHeight", std::to_string(placement.mainHeight)}}};
}

}  // namespace cuffware
