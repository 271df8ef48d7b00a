#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "platform/settings_location.h"

namespace cuffware {

namespace {

bool IsBelow(const std::string& dir, const std::string& root) {
    return !root.empty() && dir.size() >= root.size() &&
           _strnicmp(dir.c_str(), root.c_str(), root.size()) == 0 &&
           (dir.size() == root.size() || dir[root.size()] == '\\' || dir[root.size()] == '/');
}

bool IsProgramFilesDirectory(const std::string& dir) {
    for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
        const char* root = std::getenv(name);
        if (root && IsBelow(dir, root))
            return true;
    }
    return false;
}

// Windows grants or refuses a write through the directory's access list,
// which a test of attributes does not see: a file is created and removed.
bool CanCreateFileIn(const std::string& dir) {
    std::string probe = dir + "\\~cuffware-write-test.tmp";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace

std::string UserSettingsDirectory() {
    const char* appData = std::getenv("APPDATA");
    return std::string(appData && *appData ? appData : ".") + "\\Cuffware";
}

bool MayKeepSettingsIn(const std::string& dir) {
    return !IsProgramFilesDirectory(dir) && CanCreateFileIn(dir);
}

}  // namespace cuffware
