#include "platform/installed_data.h"

#include <filesystem>
#include <system_error>

#include "platform/program_directory.h"

namespace cuffware {

std::string InstalledDataDirectory(const std::string& relativePath,
                                   const std::string& fallbackDir) {
    std::filesystem::path installed = std::filesystem::path(ProgramDirectory()) / relativePath;
    std::error_code error;
    if (std::filesystem::is_directory(installed, error))
        return installed.lexically_normal().string();
    return fallbackDir;
}

}  // namespace cuffware
