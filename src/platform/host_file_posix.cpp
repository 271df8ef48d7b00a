#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/host_file.h"

namespace cuffware {

namespace {

Diagnostic SystemFailure(const std::string& pathText, const std::string& what, int error) {
    return Diagnostic{pathText, 0, what + std::strerror(error)};
}

std::string TooLarge(size_t maxBytes) {
    return "cannot read: more than " + std::to_string(maxBytes) + " bytes";
}

// Closes the descriptor whatever way the function ends.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// What a name holds is replaced only when it is a regular file this process
// can open: a link (to a file, to nothing, in a loop), or a file it may not
// read, is the user's to sort out and stays as it is.
Status CheckReplaceable(const std::string& hostPath, const std::string& pathText) {
    struct stat status {};
    if (::lstat(hostPath.c_str(), &status) != 0)
        return errno == ENOENT ? Status::Ok() : SystemFailure(pathText, "cannot replace: ", errno);
    if (S_ISLNK(status.st_mode))
        return Diagnostic{pathText, 0, "cannot replace: it is a link"};
    if (S_ISDIR(status.st_mode))
        return SystemFailure(pathText, "cannot replace: ", EISDIR);
    if (!S_ISREG(status.st_mode))
        return Diagnostic{pathText, 0, "cannot replace: not a regular file"};
    Descriptor file{::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return SystemFailure(pathText, "cannot replace: ", errno);
    return Status::Ok();
}

}  // namespace

// A directory counts as not there, as on Windows, where it does not open.
bool HostFileOpens(const std::string& hostPath) {
    Descriptor file{::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat status {};
    return file.fd >= 0 && ::fstat(file.fd, &status) == 0 && !S_ISDIR(status.st_mode);
}

Result<bool> HostFilePresent(const std::string& hostPath, const std::string& pathText) {
    struct stat link {};
    if (::lstat(hostPath.c_str(), &link) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        return SystemFailure(pathText, "cannot look it up: ", errno);
    }
    Descriptor file{::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0 && errno == ENOENT && S_ISLNK(link.st_mode))
        return Diagnostic{pathText, 0,
                          "cannot open: a link to nothing (its target does not exist)"};
    if (file.fd < 0)
        return SystemFailure(pathText, "cannot open: ", errno);
    struct stat status {};
    if (::fstat(file.fd, &status) != 0)
        return SystemFailure(pathText, "cannot open: ", errno);
    if (S_ISDIR(status.st_mode))
        return SystemFailure(pathText, "cannot open: ", EISDIR);
    return true;
}

Result<std::string> ReadHostFile(const std::string& hostPath, size_t maxBytes,
                                 const std::string& pathText) {
    Descriptor file{::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return SystemFailure(pathText, "cannot open: ", errno);
    struct stat status {};
    if (::fstat(file.fd, &status) != 0)
        return SystemFailure(pathText, "cannot read: ", errno);
    if (S_ISDIR(status.st_mode))
        return SystemFailure(pathText, "cannot read: ", EISDIR);
    if (!S_ISREG(status.st_mode))
        return Diagnostic{pathText, 0, "cannot read: not a regular file"};
    if (static_cast<unsigned long long>(status.st_size) > maxBytes)
        return Diagnostic{pathText, 0, TooLarge(maxBytes)};
    std::string content;
    content.resize(static_cast<size_t>(status.st_size) + 1);  // one more shows growth
    size_t got = 0;
    while (true) {
        if (got == content.size()) {
            if (got > maxBytes)
                return Diagnostic{pathText, 0, TooLarge(maxBytes)};
            content.resize(std::min(maxBytes + 1, got * 2 + 4096));
        }
        ssize_t n = ::read(file.fd, content.data() + got, content.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return SystemFailure(pathText, "cannot read: ", errno);
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    if (got > maxBytes)
        return Diagnostic{pathText, 0, TooLarge(maxBytes)};
    content.resize(got);
    return content;
}

Status WriteNewHostFile(const std::string& hostPath, std::string_view content,
                        const std::string& pathText, bool& alreadyExists, Durability durability) {
    alreadyExists = false;
    Descriptor file{
        ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
    if (file.fd < 0) {
        alreadyExists = errno == EEXIST;
        return SystemFailure(pathText, "cannot create: ", errno);
    }
    int error = 0;
    if (!WriteAll(file.fd, content))
        error = errno ? errno : EIO;
    else if (durability == Durability::kFlushed && ::fsync(file.fd) != 0)
        error = errno;
    if (::close(file.fd) != 0 && error == 0)
        error = errno;
    file.fd = -1;
    if (error) {
        ::unlink(hostPath.c_str());
        return SystemFailure(pathText, "cannot write: ", error);
    }
    return Status::Ok();
}

// The directory is flushed after the rename where it must be (FlushHostDirectory).
Status RenameHostFile(const std::string& fromHost, const std::string& toHost,
                      const std::string& fromText, const std::string& toText, Durability) {
    struct stat status {};
    if (::lstat(fromHost.c_str(), &status) != 0)
        return SystemFailure(fromText, "cannot replace: ", errno);
    if (S_ISDIR(status.st_mode))
        return SystemFailure(fromText, "cannot replace: ", EISDIR);
    if (!S_ISREG(status.st_mode))
        return Diagnostic{fromText, 0, "cannot replace: not a regular file"};
    if (Status replaceable = CheckReplaceable(toHost, toText); !replaceable)
        return replaceable;
    // The file's bytes were flushed when it was written, so the name never
    // stands for an empty or partial file: a power cut leaves the old file
    // or the new one.
    if (::rename(fromHost.c_str(), toHost.c_str()) != 0)
        return SystemFailure(toText, "cannot replace: ", errno);
    return Status::Ok();
}

Status FlushHostDirectory(const std::string& hostDirectory, const std::string& directoryText) {
    Descriptor dir{::open(hostDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd < 0 || ::fsync(dir.fd) != 0)
        return SystemFailure(directoryText, "cannot flush the directory: ", errno);
    return Status::Ok();
}

std::string ProcessTag() {
    return std::to_string(::getpid());
}

}  // namespace cuffware
