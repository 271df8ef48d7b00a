#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/settings_location.h"

namespace cuffware {

namespace {

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : ".";
}

}  // namespace

std::string UserSettingsDirectory() {
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/')
        return std::string(configHome) + "/cuffware";
    return HomeDirectory() + "/.config/cuffware";
}

bool MayKeepSettingsIn(const std::string& dir) {
    if (dir == "/usr" || dir.rfind("/usr/", 0) == 0)
        return false;
    return access(dir.c_str(), W_OK) == 0;
}

}  // namespace cuffware
