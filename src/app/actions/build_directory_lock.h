#pragma once
// One run at a time in a build directory: each action that writes there, or
// reads the package, holds the directory while it works (see
// platform/run_lock.h); a second run waits a while, then is refused.

#include <optional>

#include "app/actions/workbench.h"
#include "platform/run_lock.h"

namespace cuffware {

// Holds the project's build directory for an action, and settles
// first what an interrupted run left there: the package completed or rolled
// back (see package/package_commit.h), its temporary files deleted. After a
// refusal message, nothing: "The build directory is in use by another
// program." when another process holds it, else the reason the lock could
// not be taken, or the settling's failure.
std::optional<RunLock> HoldBuildDirectory(Workbench& bench);

}  // namespace cuffware
