#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/host_path.h"
#include "platform/run_lock.h"

namespace cuffware {

void RunLock::Release() {
    if (handle_ != kNone)
        ::close(static_cast<int>(handle_));  // the last descriptor closed lets go of the lock
    handle_ = kNone;
}

void RunLock::ShareWithChildren() {
    if (handle_ == kNone)
        return;
    const int fd = static_cast<int>(handle_);
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) & ~FD_CLOEXEC);
}

Result<RunLock> LockRun(const std::string& directoryText, int patienceMs) {
    const std::string path = HostPath(directoryText);
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return RunLock();
    if (fd < 0)
        return Diagnostic{directoryText, 0, std::string("cannot lock: ") + std::strerror(errno)};
    RunLock lock(fd);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Diagnostic{directoryText, 0,
                              std::string("cannot lock: ") + std::strerror(errno)};
        if (std::chrono::steady_clock::now() >= deadline)
            return Diagnostic{directoryText, 0, std::string(kLockHeldElsewhere)};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return lock;
}

}  // namespace cuffware
