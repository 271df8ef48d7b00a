#include <windows.h>

#include "platform/program_directory.h"

namespace cuffware {

std::string ProgramDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length);
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string InProgramDirectory(const std::string& fileName) {
    return ProgramDirectory() + "\\" + fileName;
}

}  // namespace cuffware
