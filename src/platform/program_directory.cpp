#include "platform/program_directory.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace cuffware {

std::string ProgramDirectory() {
#ifdef _WIN32
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length);
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
#else
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return ".";
    return exe.parent_path().string();
#endif
}

std::string InProgramDirectory(const std::string& fileName) {
#ifdef _WIN32
    return ProgramDirectory() + "\\" + fileName;
#else
    return ProgramDirectory() + "/" + fileName;
#endif
}

}  // namespace cuffware
