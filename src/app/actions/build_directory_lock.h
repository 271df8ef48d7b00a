#pragma once
// One run at a time in a build directory: each action that writes there, or
// reads the package, holds the directory while it works (see
// platform/run_lock.h); a second run waits a while, then is refused. A run
// of several actions (the headless `all`) holds it from its first action to
// its last, so that no other run comes in between them.

#include <optional>
#include <utility>

#include "app/actions/workbench.h"
#include "platform/run_lock.h"

namespace cuffware {

// An action's hold on the build directory: a lock of its own, or the lock
// of the run it is part of (BuildDirectoryRun).
class BuildDirectoryHold {
  public:
    explicit BuildDirectoryHold(RunLock&& own) : own_(std::move(own)) {}
    explicit BuildDirectoryHold(RunLock* run) : run_(run) {}

    // See RunLock::ShareWithChildren.
    void ShareWithChildren() { (run_ ? *run_ : own_).ShareWithChildren(); }

  private:
    RunLock own_;
    RunLock* run_ = nullptr;
};

// Holds the project's build directory for an action, and settles
// first what an interrupted run left there: the package completed or rolled
// back (see package/package_commit.h), its temporary files deleted. After a
// refusal message, nothing: "The build directory is in use by another
// program." when another process holds it, else the reason the lock could
// not be taken, or the settling's failure. Within a BuildDirectoryRun the
// action works under the run's hold.
std::optional<BuildDirectoryHold> HoldBuildDirectory(Workbench& bench);

// Holds the build directory (made when missing) for every action from now
// until it goes, as HoldBuildDirectory does for one. A blank folder name
// takes nothing: the first action refuses it.
class BuildDirectoryRun {
  public:
    explicit BuildDirectoryRun(Workbench& bench);
    ~BuildDirectoryRun();
    BuildDirectoryRun(const BuildDirectoryRun&) = delete;
    BuildDirectoryRun& operator=(const BuildDirectoryRun&) = delete;

    // False after the refusal message of HoldBuildDirectory.
    bool Taken() const { return taken_; }

  private:
    Workbench& bench_;
    bool taken_ = true;
};

}  // namespace cuffware
