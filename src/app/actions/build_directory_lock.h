#pragma once
// One run at a time in a build directory: each action that writes there, or
// reads the package, holds the directory while it works (see
// platform/run_lock.h); a second run waits a while, then is refused.

#include <optional>
#include <string_view>

#include "app/actions/workbench.h"
#include "platform/run_lock.h"

namespace cuffware {

// The lock file in the build directory.
inline constexpr const char* kRunLockName = "cuffware.lock";

// Holds the project's build directory for the action named, and settles
// first what an interrupted run left there: the package completed or rolled
// back (see package/package_commit.h), its temporary files deleted. After a
// refusal message, nothing: "The build directory is in use by another run."
// and the lock file with the run that holds it, or the settling's failure.
std::optional<RunLock> HoldBuildDirectory(Workbench& bench, std::string_view action);

}  // namespace cuffware
