#include <windows.h>

#include <filesystem>
#include <random>
#include <system_error>

#include "platform/host_tree.h"

namespace cuffware {

// Windows has no call that makes a fresh directory: CreateDirectory fails on
// a name that is taken, so a random name is tried until one is free.
Result<std::string> MakeTemporaryDirectory(const std::string& namePrefix) {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        return Diagnostic{"", 0, "no temporary directory: " + error.message()};
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = (base / (namePrefix + std::to_string(random() % 1000000))).string();
        if (CreateDirectoryA(candidate.c_str(), nullptr))
            return candidate;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    return Diagnostic{base.string(), 0, "cannot create a new directory"};
}

}  // namespace cuffware
