// The program's directory on Linux, read from /proc/self/exe.

#include <filesystem>
#include <system_error>

#include "platform/program_directory.h"

namespace cuffware {

std::string ProgramDirectory() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return ".";
    return exe.parent_path().string();
}

std::string InProgramDirectory(const std::string& fileName) {
    return ProgramDirectory() + "/" + fileName;
}

}  // namespace cuffware
