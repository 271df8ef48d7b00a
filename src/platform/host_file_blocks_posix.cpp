#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/host_file_blocks.h"

namespace cuffware {

namespace {

Diagnostic SystemFailure(const std::string& pathText, const std::string& what, int error) {
    return Diagnostic{pathText, 0, what + std::strerror(error)};
}

}  // namespace

Result<std::unique_ptr<HostFileBlocks>> HostFileBlocks::Open(const std::string& hostPath,
                                                             const std::string& pathText) {
    int fd = ::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return SystemFailure(pathText, "cannot open: ", errno);
    std::unique_ptr<HostFileBlocks> file(new HostFileBlocks(fd, 0, pathText));
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return SystemFailure(pathText, "cannot read: ", errno);
    if (S_ISDIR(status.st_mode))
        return SystemFailure(pathText, "cannot read: ", EISDIR);
    if (!S_ISREG(status.st_mode))
        return Diagnostic{pathText, 0, "cannot read: not a regular file"};
    file->size_ = static_cast<unsigned long long>(status.st_size);
    return file;
}

HostFileBlocks::~HostFileBlocks() {
    ::close(fd_);
}

Result<size_t> HostFileBlocks::ReadAt(unsigned long long offset, std::span<char> into) {
    size_t got = 0;
    while (got < into.size()) {
        ssize_t n =
            ::pread(fd_, into.data() + got, into.size() - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return SystemFailure(pathText_, "cannot read: ", errno);
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    return got;
}

}  // namespace cuffware
