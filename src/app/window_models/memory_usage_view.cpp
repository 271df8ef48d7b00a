#include "app/window_models/memory_usage_view.h"

#include <algorithm>

namespace cuffware {

namespace {

MemoryUsageRow Row(std::string section, int usage, int base) {
    std::string of = " of " + std::to_string(kFirmwareOverlaySize) + " bytes";
    std::string tip = base > 0 ? std::to_string(base) + " + " + std::to_string(usage) + of
                               : std::to_string(usage) + of;
    return {
        std::move(section), std::to_string(usage), usage, base, base + usage > kFirmwareOverlaySize,
        std::move(tip)};
}

}  // namespace

MemoryUsageView MemoryUsageViewOf(const MemoryUsageReport& report) {
    MemoryUsageView view;
    view.values = {
        {"Code File:", report.FileName},
        {"EEPROM Memory Usage", std::to_string(report.ImageSize)},
        {"Code Size", std::to_string(report.UsedSize)},
        {"Common Section Usage:", std::to_string(report.CommonUsage)},
        {"Maximum State Usage:", std::to_string(report.MaxStateUsage)},
        {"Maximum Overlay Usage:", std::to_string(report.MaxOverlayUsage)},
        {"Overlay Size:", std::to_string(kFirmwareOverlaySize)},
    };
    view.errorBeside = 5;
    view.overlayExceeded = report.OverlayExceeded;
    view.columns = {"Section", "Memory Usage"};
    view.rows.push_back(Row("Common", report.CommonUsage, 0));
    for (size_t i = 0; i < report.StateUsage.size(); ++i)
        view.rows.push_back(
            Row("State " + std::to_string(i), report.StateUsage[i], report.CommonUsage));
    return view;
}

int BarSpan(int bytes, int trackWidth) {
    return static_cast<int>(static_cast<long long>(std::clamp(bytes, 0, kFirmwareOverlaySize)) *
                            trackWidth / kFirmwareOverlaySize);
}

}  // namespace cuffware
