#include <windows.h>

#include "platform/path_text.h"
#include "platform/program_directory.h"

namespace cuffware {

std::string ProgramDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length);
    return DirectoryOrCurrent(path);
}

std::string InProgramDirectory(const std::string& fileName) {
    return JoinPath(ProgramDirectory(), fileName);
}

}  // namespace cuffware
