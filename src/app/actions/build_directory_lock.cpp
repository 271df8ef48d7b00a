#include "app/actions/build_directory_lock.h"

#include <string>

#include "package/package_commit.h"
#include "project/build_files.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

// Completes or rolls back a package an interrupted run left, and deletes the
// temporary files it left; false after a message when it cannot.
bool SettleInterruptedRun(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    Status settled = RecoverPackage(bench.files, project.BuildDirectory, PackagePaths(project));
    if (!settled)
        bench.user.ShowMessage(
            "What an interrupted run left could not be settled.\n" + settled.error().Text(),
            MessageIcon::Critical);
    return settled.ok();
}

}  // namespace

std::optional<RunLock> HoldBuildDirectory(Workbench& bench) {
    Result<RunLock> lock = LockRun(Trimmed(bench.project.BuildDirectory), bench.runLockPatienceMs);
    if (!lock) {
        const bool heldElsewhere = lock.error().message == kLockHeldElsewhere;
        bench.user.ShowMessage(
            heldElsewhere
                ? "The build directory is in use by another program.\n" + lock.error().Text()
                : lock.error().Text(),
            MessageIcon::Critical);
        return std::nullopt;
    }
    if (!SettleInterruptedRun(bench))
        return std::nullopt;
    return std::move(*lock);
}

}  // namespace cuffware
