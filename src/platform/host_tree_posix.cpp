#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/host_tree.h"

namespace cuffware {

Result<std::string> MakeTemporaryDirectory(const std::string& namePrefix) {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        return Diagnostic{"", 0, "no temporary directory: " + error.message()};
    std::string pattern = (base / (namePrefix + "XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        return Diagnostic{base.string(), 0,
                          std::string("cannot create a new directory: ") + std::strerror(errno)};
    return pattern;
}

}  // namespace cuffware
