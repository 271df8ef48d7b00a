#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/host_file.h"

namespace cuffware {

namespace {

Diagnostic SystemFailure(const std::string& pathText, const std::string& what, int error) {
    return Diagnostic{pathText, 0, what + std::strerror(error)};
}

// The C library's reason for a Windows error, so messages read alike on
// every host.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

std::string TooLarge(size_t maxBytes) {
    return "cannot read: more than " + std::to_string(maxBytes) + " bytes";
}

}  // namespace

bool HostFileOpens(const std::string& hostPath) {
    int fd = _open(hostPath.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0)
        return false;
    _close(fd);
    return true;
}

Result<bool> HostFilePresent(const std::string& hostPath, const std::string& pathText) {
    DWORD attributes = GetFileAttributesA(hostPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return false;
        return SystemFailure(pathText, "cannot look it up: ", ErrnoOf(error));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return SystemFailure(pathText, "cannot open: ", EISDIR);
    HANDLE file = CreateFileA(hostPath.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SystemFailure(pathText, "cannot open: ", ErrnoOf(GetLastError()));
    CloseHandle(file);
    return true;
}

Result<std::string> ReadHostFile(const std::string& hostPath, size_t maxBytes,
                                 const std::string& pathText) {
    // Windows opens no directory as a file: say what it is, as the POSIX
    // half does after its open.
    DWORD attributes = GetFileAttributesA(hostPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return SystemFailure(pathText, "cannot read: ", EISDIR);
    int fd = _open(hostPath.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0)
        return SystemFailure(pathText, "cannot open: ", errno);
    struct _stat64 status {};
    std::string content;
    Status failure;
    if (_fstat64(fd, &status) != 0) {
        failure = SystemFailure(pathText, "cannot read: ", errno);
    } else if (!(status.st_mode & _S_IFREG)) {
        failure = Diagnostic{pathText, 0, "cannot read: not a regular file"};
    } else if (static_cast<unsigned long long>(status.st_size) > maxBytes) {
        failure = Diagnostic{pathText, 0, TooLarge(maxBytes)};
    } else {
        char buffer[1 << 16];
        int got;
        while ((got = _read(fd, buffer, sizeof buffer)) > 0 && content.size() <= maxBytes)
            content.append(buffer, static_cast<size_t>(got));
        if (got < 0)
            failure = SystemFailure(pathText, "cannot read: ", errno);
        else if (content.size() > maxBytes)
            failure = Diagnostic{pathText, 0, TooLarge(maxBytes)};
    }
    _close(fd);
    if (!failure.ok())
        return failure.error();
    return content;
}

Status WriteNewHostFile(const std::string& hostPath, std::string_view content,
                        const std::string& pathText, bool& alreadyExists, Durability durability) {
    alreadyExists = false;
    HANDLE file = CreateFileA(hostPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        int error = ErrnoOf(GetLastError());
        alreadyExists = error == EEXIST;
        return SystemFailure(pathText, "cannot create: ", error);
    }
    int error = 0;
    while (!content.empty() && error == 0) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0)
            error = ErrnoOf(GetLastError());
        content.remove_prefix(written);
    }
    if (error == 0 && durability == Durability::kFlushed && !FlushFileBuffers(file))
        error = ErrnoOf(GetLastError());
    CloseHandle(file);
    if (error) {
        DeleteFileA(hostPath.c_str());
        return SystemFailure(pathText, "cannot write: ", error);
    }
    return Status::Ok();
}

Status RenameHostFile(const std::string& fromHost, const std::string& toHost,
                      const std::string& fromText, const std::string& toText,
                      Durability durability) {
    DWORD attributes = GetFileAttributesA(fromHost.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return SystemFailure(fromText, "cannot replace: ", ErrnoOf(GetLastError()));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return SystemFailure(fromText, "cannot replace: ", EISDIR);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Diagnostic{fromText, 0, "cannot replace: not a regular file"};
    if (DWORD target = GetFileAttributesA(toHost.c_str()); target != INVALID_FILE_ATTRIBUTES) {
        if (target & FILE_ATTRIBUTE_REPARSE_POINT)
            return Diagnostic{toText, 0, "cannot replace: it is a link"};
        if (target & FILE_ATTRIBUTE_DIRECTORY)
            return SystemFailure(toText, "cannot replace: ", EISDIR);
        if (Result<bool> opens = HostFilePresent(toHost, toText); !opens)
            return Diagnostic{toText, 0, "cannot replace: " + opens.error().message};
    }
    const DWORD writeThrough = durability == Durability::kFlushed ? MOVEFILE_WRITE_THROUGH : 0;
    if (!MoveFileExA(fromHost.c_str(), toHost.c_str(), MOVEFILE_REPLACE_EXISTING | writeThrough))
        return SystemFailure(toText, "cannot replace: ", ErrnoOf(GetLastError()));
    return Status::Ok();
}

// MoveFileEx writes each durable rename through to the disk itself (above), and a
// directory cannot be flushed through a handle here: nothing is left to do.
Status FlushHostDirectory(const std::string&, const std::string&) {
    return Status::Ok();
}

std::string ProcessTag() {
    return std::to_string(GetCurrentProcessId());
}

}  // namespace cuffware
