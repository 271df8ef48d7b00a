#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/host_path.h"
#include "platform/run_lock.h"

namespace cuffware {

namespace {

// What the lock file says about its holder, printable.
std::string HolderText(int fd) {
    char buffer[512];
    ssize_t got = ::pread(fd, buffer, sizeof buffer, 0);
    std::string text;
    for (ssize_t i = 0; i < got; ++i)
        text += static_cast<unsigned char>(buffer[i]) < 0x20 ? '?' : buffer[i];
    return text.empty() ? std::string("another run") : text;
}

}  // namespace

void RunLock::Release() {
    if (handle_ != kNone)
        ::close(static_cast<int>(handle_));  // closing lets go of the lock
    handle_ = kNone;
}

Result<RunLock> LockRun(const std::string& lockPathText, const std::string& holder,
                        int patienceMs) {
    const std::string path = HostPath(lockPathText);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 && errno == ENOENT)
        return RunLock();
    if (fd < 0)
        return Diagnostic{lockPathText, 0, std::string("cannot lock: ") + std::strerror(errno)};
    RunLock lock(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return Diagnostic{lockPathText, 0, "cannot lock: not a regular file"};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Diagnostic{lockPathText, 0, std::string("cannot lock: ") + std::strerror(errno)};
        if (std::chrono::steady_clock::now() >= deadline)
            return Diagnostic{lockPathText, 0, "in use by " + HolderText(fd)};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string text = "process " + std::to_string(::getpid()) + " (" + holder + ")";
    if (::ftruncate(fd, 0) == 0)
        (void)!::pwrite(fd, text.data(), text.size(), 0);
    return lock;
}

}  // namespace cuffware
