#pragma once

#include <string>

#include "analysis/memory_usage.h"

namespace cuffware {

// The report as the headless command prints it: the analysis window's
// captions with their values, one per line, then the section table.
std::string MemoryUsageReportText(const MemoryUsageReport& report);

}  // namespace cuffware
