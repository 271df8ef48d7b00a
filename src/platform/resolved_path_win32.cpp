// On Windows the library's walk is the answer.

#include <system_error>

#include "platform/resolved_path.h"

namespace cuffware {

std::filesystem::path ResolvedPath(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path.lexically_normal() : resolved;
}

}  // namespace cuffware
