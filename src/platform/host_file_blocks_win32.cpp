#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
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
    // Windows opens no directory as a file: say what it is, as the POSIX
    // half does after its open.
    DWORD attributes = GetFileAttributesA(hostPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return SystemFailure(pathText, "cannot read: ", EISDIR);
    int fd = _open(hostPath.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0)
        return SystemFailure(pathText, "cannot open: ", errno);
    std::unique_ptr<HostFileBlocks> file(new HostFileBlocks(fd, 0, pathText));
    struct _stat64 status {};
    if (_fstat64(fd, &status) != 0)
        return SystemFailure(pathText, "cannot read: ", errno);
    if (!(status.st_mode & _S_IFREG))
        return Diagnostic{pathText, 0, "cannot read: not a regular file"};
    file->size_ = static_cast<unsigned long long>(status.st_size);
    return file;
}

HostFileBlocks::~HostFileBlocks() {
    _close(fd_);
}

Result<size_t> HostFileBlocks::ReadAt(unsigned long long offset, std::span<char> into) {
    if (_lseeki64(fd_, static_cast<long long>(offset), SEEK_SET) < 0)
        return SystemFailure(pathText_, "cannot read: ", errno);
    size_t got = 0;
    while (got < into.size()) {
        unsigned chunk = static_cast<unsigned>(std::min<size_t>(into.size() - got, 1 << 20));
        int n = _read(fd_, into.data() + got, chunk);
        if (n < 0)
            return SystemFailure(pathText_, "cannot read: ", errno);
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    return got;
}

}  // namespace cuffware
