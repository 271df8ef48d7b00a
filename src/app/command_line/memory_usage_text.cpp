#include "app/command_line/memory_usage_text.h"

#include <algorithm>
#include <string_view>

#include "app/window_models/memory_usage_view.h"

namespace cuffware {

namespace {

// One row of the section table: the usage under the second column's
// heading, or one blank after a section name too long for that.
std::string TableRow(std::string section, const std::string& usage, size_t usageColumn) {
    section.resize(std::max(section.size() + 1, usageColumn), ' ');
    return section + usage + "\n";
}

}  // namespace

// The window's captions end in ":" or get one here, so each line reads
// "Caption: value".
std::string MemoryUsageReportText(const MemoryUsageReport& report) {
    MemoryUsageView view = MemoryUsageViewOf(report);
    std::string text;
    for (const MemoryUsageValue& value : view.values) {
        std::string_view caption = value.caption;
        text += std::string(caption) + (caption.ends_with(':') ? " " : ": ") + value.value;
        if (value.errorMark && view.overlayExceeded)
            text += std::string(" ") + kOverlayErrorMark;
        text += "\n";
    }
    std::string header = std::string(view.columns[0]) + "  " + view.columns[1];
    size_t usageColumn = header.size() - std::string_view(view.columns[1]).size();
    text += header + "\n";
    for (const MemoryUsageRow& row : view.rows)
        text += TableRow(row.section, row.usageText, usageColumn);
    return text;
}

}  // namespace cuffware
