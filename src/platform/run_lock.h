#pragma once
// One run at a time per build directory. The lock leaves nothing behind in
// the directory: off Windows it is an exclusive flock on the directory
// itself; on Windows a hidden file "cuffware.lock" there, opened for no one
// else to share and deleted by the system when its last handle closes. The
// system lets go of either when the process ends, however it ends, so a run
// that was killed never leaves the directory held, nor a file in it.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace cuffware {

// What a refusal says when another process holds the lock: which process
// that is cannot be told, so none is named.
inline constexpr std::string_view kLockHeldElsewhere = "in use: another program holds its lock";

class RunLock {
  public:
    RunLock() = default;  // holds nothing
    RunLock(RunLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
    RunLock& operator=(RunLock&& other) noexcept;
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;
    ~RunLock();

    bool Held() const { return handle_ != kNone; }

    // The batches this process starts from now on hold the lock with it,
    // until they end: the window's build, which is not waited for, holds
    // the directory until its batch ends, and off Windows a run killed while
    // its build batch runs leaves the directory held until the batch ends.
    // (On Windows a job object ends a waited-for batch with this process;
    // see host_process.h.) Off Windows the lock's descriptor is inherited;
    // on Windows the lock file's handle, which a batch inherits.
    void ShareWithChildren();

  private:
    static constexpr intptr_t kNone = -1;
    explicit RunLock(intptr_t handle) : handle_(handle) {}
    friend Result<RunLock> LockRun(const std::string&, int);
    void Release();

    intptr_t handle_ = kNone;
};

// Takes the lock on the build directory directoryText. While another process
// holds it, tries again for up to patienceMs milliseconds, then refuses:
// "DIRECTORY: " + kLockHeldElsewhere. Any other failure names the directory
// and the system's reason ("cannot lock: Not a directory"). A directory that
// does not exist gives a RunLock that holds nothing: there is nothing in it
// to protect yet.
Result<RunLock> LockRun(const std::string& directoryText, int patienceMs);

}  // namespace cuffware
