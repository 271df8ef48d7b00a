#include <sys/stat.h>
#include <time.h>

#include "platform/directory_stamp.h"

namespace cuffware {

namespace {

long long Nanoseconds(const timespec& time) {
    return static_cast<long long>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

std::optional<DirectoryStamp> StampOf(const std::string& hostPath) {
    struct stat status {};
    if (::stat(hostPath.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    return DirectoryStamp{static_cast<unsigned long long>(status.st_dev),
                          static_cast<unsigned long long>(status.st_ino),
                          Nanoseconds(status.st_ctim), Nanoseconds(status.st_mtim)};
}

long long NowForStamps() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

}  // namespace cuffware
