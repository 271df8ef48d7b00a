#include "app/actions/build_directory_lock.h"

#include <string>

#include "package/package_commit.h"
#include "platform/text_rules.h"
#include "project/build_files.h"

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

std::optional<RunLock> LockBuildDirectory(Workbench& bench) {
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

}  // namespace

std::optional<BuildDirectoryHold> HoldBuildDirectory(Workbench& bench) {
    if (bench.runHold.Held())
        return BuildDirectoryHold(&bench.runHold);
    std::optional<RunLock> lock = LockBuildDirectory(bench);
    if (!lock)
        return std::nullopt;
    return BuildDirectoryHold(std::move(*lock));
}

BuildDirectoryRun::BuildDirectoryRun(Workbench& bench) : bench_(bench) {
    if (Trimmed(bench.project.FolderName).empty())
        return;
    MakeBuildDirectory(bench);
    std::optional<RunLock> lock = LockBuildDirectory(bench);
    taken_ = lock.has_value();
    if (lock)
        bench.runHold = std::move(*lock);
}

BuildDirectoryRun::~BuildDirectoryRun() {
    bench_.runHold = RunLock();
}

}  // namespace cuffware
