#pragma once

#include <optional>
#include <string>

#include "analysis/memory_usage.h"
#include "app/workbench.h"

namespace cuffware {

// "Analyze Cuffware" up to the window: the folder check and the analysis.
// Returns the report to show, or nothing after a refusal or failure (which
// has been reported).
std::optional<MemoryUsageReport> AnalyzeCuffware(Workbench& bench);

// After the analysis window has closed: status "Ready".
void FinishAnalysis(Workbench& bench);

// The report as the headless command prints it: the window's captions with
// their values, one per line, then the section table.
std::string MemoryUsageReportText(const MemoryUsageReport& report);

}  // namespace cuffware
