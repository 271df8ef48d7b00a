#include "app/window_models/memory_usage_view.h"

#include <algorithm>

namespace cuffware {

namespace {

MemoryUsageRow Row(std::string section, int usage, int base) {
    std::string of = " of " + std::to_string(kFirmwareOverlaySize) + " bytes";
    std::string tip = base > 0 ? std::to_string(base) + " + " + std::to_string(usage) + of
                               : std::to_string(usage) + of;
    return {std::move(section),
            std::to_string(usage),
            usage,
            base,
            base + usage,
            base + usage > kFirmwareOverlaySize,
            std::move(tip)};
}

}  // namespace

MemoryUsageView MemoryUsageViewOf(const MemoryUsageReport& report) {
    MemoryUsageView view;
    view.values = {
        {"Code File:", report.FileName, "FileName"},
        {"EEPROM Memory Usage", std::to_string(report.ImageSize), "ImageSize"},
        {"Code Size", std::to_string(report.UsedSize), "UsedSize"},
        {"Common Section Usage:", std::to_string(report.CommonUsage), "CommonUsage"},
        {"Maximum State Usage:", std::to_string(report.MaxStateUsage), "MaxStateUsage"},
        {"Maximum Overlay Usage:", std::to_string(report.MaxOverlayUsage), "MaxOverlayUsage", true},
        {"Overlay Size:", std::to_string(kFirmwareOverlaySize), "OverlaySize"},
    };
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

Colour TrackColour(Colour background) {
    auto darker = [](int part) { return part * 100 / 106; };
    return {darker(background.red), darker(background.green), darker(background.blue)};
}

UsageBar LayOutUsageBar(const MemoryUsageRow& row, Box cell, int digitWidth, int padding) {
    UsageBar bar{};
    bar.number = {cell.left + padding, cell.top, digitWidth * kUsageTextDigits, cell.height};
    int trackLeft = bar.number.left + bar.number.width + padding;
    bar.track = {trackLeft, cell.top + padding, cell.left + cell.width - padding - trackLeft,
                 cell.height - 2 * padding};
    bar.shown = bar.track.width >= 8 && bar.track.height >= 4;
    if (!bar.shown)
        return bar;
    bar.baseWidth = BarSpan(row.base, bar.track.width);
    bar.usageWidth = BarSpan(row.overlay, bar.track.width) - bar.baseWidth;
    return bar;
}

int UsageRowHeight(int fontHeight, int padding) {
    return fontHeight + 2 * padding;
}

std::string AccessibleUsage(const MemoryUsageRow& row) {
    std::string text = row.section + ": " + row.usageText + " bytes, ";
    if (row.base > 0)
        text += "with the common section " + std::to_string(row.overlay);
    else
        text += row.usageText;
    text += " of " + std::to_string(kFirmwareOverlaySize) + " bytes of the overlay";
    if (row.exceeded)
        text += ", exceeded";
    return text;
}

}  // namespace cuffware
