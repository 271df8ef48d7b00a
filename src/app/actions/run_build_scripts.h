#pragma once

#include "app/actions/workbench.h"
#include "platform/result.h"

namespace cuffware {

// "Run Build Scripts": starts build.bat in a window of its own without
// waiting. Returns true when the batch was started.
bool RunBuildScripts(Workbench& bench);

// The same checks and texts, but waits for the batch; the result is the
// batch's exit status, or nothing after a refusal or a failure to start.
std::optional<int> RunBuildScriptsAndWait(Workbench& bench);

}  // namespace cuffware
