// On Linux an existing path is resolved by opening it without reading
// (O_PATH) and asking /proc for the name of what was opened: three calls,
// however deep the path, where a walk reads each component's link.

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "platform/resolved_path.h"

namespace cuffware {

namespace fs = std::filesystem;

namespace {

fs::path WeaklyCanonical(const fs::path& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path.lexically_normal() : resolved;
}

}  // namespace

fs::path ResolvedPath(const fs::path& path) {
    if (!path.is_absolute())
        return WeaklyCanonical(path);
    int fd = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0)
        return WeaklyCanonical(path);
    std::string name(4096, '\0');
    ssize_t length =
        ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), name.data(), name.size());
    ::close(fd);
    // A name that fills the buffer may be cut; one that names no path (an
    // unlinked file) is not the path's.
    if (length <= 0 || static_cast<size_t>(length) >= name.size() || name[0] != '/')
        return WeaklyCanonical(path);
    name.resize(static_cast<size_t>(length));
    if (name.ends_with(" (deleted)"))
        return WeaklyCanonical(path);
    return name;
}

}  // namespace cuffware
