#pragma once

#include <optional>
#include <string>

#include "analysis/memory_usage.h"
#include "app/actions/workbench.h"

namespace cuffware {

// "Analyze Cuffware" up to the window: the folder check and the analysis.
// Returns the report to show, or nothing after a refusal or failure (which
// has been reported).
std::optional<MemoryUsageReport> AnalyzeCuffware(Workbench& bench);

// After the analysis window has closed: status "Ready".
void FinishAnalysis(Workbench& bench);

}  // namespace cuffware
