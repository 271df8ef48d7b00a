#include "app/command_line/overlay_report.h"

#include "platform/text_rules.h"

#include "app/window_models/memory_usage_view.h"

namespace cuffware {

namespace {

std::string Percent(int part) {
    return std::to_string((part * 100 + kFirmwareOverlaySize / 2) / kFirmwareOverlaySize) + "%";
}

std::string Padded(std::string text, size_t width) {
    text.resize(std::max(text.size() + 1, width), ' ');
    return text;
}

}  // namespace

std::string OverlaySharesText(const MemoryUsageReport& report) {
    std::string text = "Overlay share (of " + std::to_string(kFirmwareOverlaySize) +
                       " bytes, a state with the common section):\n";
    for (const MemoryUsageRow& share : MemoryUsageViewOf(report).rows) {
        text += Padded(share.section, 9) + Padded(std::to_string(share.overlay), 5) +
                Percent(share.overlay);
        if (share.exceeded)
            text += "  over by " + std::to_string(share.overlay - kFirmwareOverlaySize);
        text += "\n";
    }
    return text;
}

std::string OverlayExceededText(const MemoryUsageReport& report) {
    std::string names;
    for (const MemoryUsageRow& share : MemoryUsageViewOf(report).rows) {
        if (share.exceeded)
            names += (names.empty() ? "" : ", ") + share.section + " (" +
                     std::to_string(share.overlay) + " bytes)";
    }
    if (names.empty())
        return {};
    return "The " + std::to_string(kFirmwareOverlaySize) + "-byte overlay is exceeded by " + names +
           ".";
}

std::string MemoryUsageJson(const MemoryUsageReport& report) {
    std::string json = "{\"codeFile\":" + JsonString(report.FileName) +
                       ",\"eepromMemoryUsage\":" + std::to_string(report.ImageSize) +
                       ",\"codeSize\":" + std::to_string(report.UsedSize) +
                       ",\"commonSectionUsage\":" + std::to_string(report.CommonUsage) +
                       ",\"maximumStateUsage\":" + std::to_string(report.MaxStateUsage) +
                       ",\"maximumOverlayUsage\":" + std::to_string(report.MaxOverlayUsage) +
                       ",\"overlaySize\":" + std::to_string(kFirmwareOverlaySize) +
                       ",\"overlayExceeded\":" + (report.OverlayExceeded ? "true" : "false") +
                       ",\"sections\":[";
    bool first = true;
    for (const MemoryUsageRow& share : MemoryUsageViewOf(report).rows) {
        json += std::string(first ? "" : ",") + "{\"section\":" + JsonString(share.section) +
                ",\"usage\":" + std::to_string(share.usage) +
                ",\"overlay\":" + std::to_string(share.overlay) +
                ",\"exceeded\":" + (share.exceeded ? "true" : "false") + "}";
        first = false;
    }
    return json + "]}";
}

}  // namespace cuffware
