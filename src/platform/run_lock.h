#pragma once
// One run at a time per build directory: an exclusive lock on a lock file
// there. The system lets go of the lock when the process ends, however it
// ends, so a run that was killed never leaves it held.

#include <cstdint>
#include <string>

#include "platform/result.h"

namespace cuffware {

class RunLock {
  public:
    RunLock() = default;  // holds nothing
    RunLock(RunLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
    RunLock& operator=(RunLock&& other) noexcept;
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;
    ~RunLock();

    bool Held() const { return handle_ != kNone; }

  private:
    static constexpr intptr_t kNone = -1;
    explicit RunLock(intptr_t handle) : handle_(handle) {}
    friend Result<RunLock> LockRun(const std::string&, const std::string&, int);
    void Release();

    intptr_t handle_ = kNone;
};

// Takes the lock on the file lockPathText, created when missing, and writes
// "process PID (holder)" into it for whoever has to wait. While another
// process holds it, tries again for up to patienceMs milliseconds, then
// refuses: "PATH: in use by process PID (HOLDER)". A lock file whose directory does not exist gives
// a RunLock that holds nothing: there is nothing in that directory to protect yet.
Result<RunLock> LockRun(const std::string& lockPathText, const std::string& holder, int patienceMs);

}  // namespace cuffware
