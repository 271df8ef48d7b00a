#pragma once
// What the headless analysis prints beyond the window's captions and table:
// each section's share of the code overlay, the sections that exceed it, and
// the whole report as JSON for scripts.

#include <string>

#include "analysis/memory_usage.h"

namespace cuffware {

// Each section's share of the overlay is a row of the analysis window's
// view (MemoryUsageViewOf): the common section alone, a state with the
// common section beside it.

// "Overlay share (of 900 bytes):" and a row per section: its bytes and the
// percentage, with "over by N" where it exceeds.
std::string OverlaySharesText(const MemoryUsageReport& report);

// "The 900-byte overlay is exceeded by State 1 (950 bytes)." naming every
// section that exceeds it; "" when none does.
std::string OverlayExceededText(const MemoryUsageReport& report);

// The report as one JSON object on one line.
std::string MemoryUsageJson(const MemoryUsageReport& report);

}  // namespace cuffware
