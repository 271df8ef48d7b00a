#pragma once
// What the analysis window shows of a memory usage report: the values
// beside their captions, one row per section with the numbers its bar is
// drawn from, and whether the ERROR mark shows.

#include <string>
#include <vector>

#include "analysis/memory_usage.h"

namespace cuffware {

inline constexpr const char* kAnalysisTitle = "Cuffware Memory Usage Analysis";

// A caption and its value, in window order.
struct MemoryUsageValue {
    const char* caption;  // "Code File:", "EEPROM Memory Usage", ...
    std::string value;
};

// One section's row. The bar spans bytes [base, base + usage) of the
// overlay: a state's bar stands on the common section, which is in the
// overlay together with it.
struct MemoryUsageRow {
    std::string section;  // "Common", "State 0", ...
    std::string usageText;
    int usage;
    int base;
    bool exceeded;       // base + usage above the overlay
    std::string barTip;  // "180 + 90 of 900 bytes", "180 of 900 bytes"
};

struct MemoryUsageView {
    std::vector<MemoryUsageValue> values;
    // The ERROR mark stands beside the value at this index (the maximum
    // overlay usage) when overlayExceeded.
    size_t errorBeside = 0;
    bool overlayExceeded = false;
    std::vector<const char*> columns;  // "Section", "Memory Usage"
    std::vector<MemoryUsageRow> rows;
};

MemoryUsageView MemoryUsageViewOf(const MemoryUsageReport& report);

// How far a bar reaches, in pixels, for bytes of the overlay across a track
// of trackWidth pixels; bytes are clamped to 0..overlay.
int BarSpan(int bytes, int trackWidth);

}  // namespace cuffware
