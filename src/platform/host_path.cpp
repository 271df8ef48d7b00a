// The path rule on every host; mapping drives and resolving case is in
// host_path_posix.cpp (Windows does both itself: host_path_win32.cpp).

#include "platform/host_path.h"

#include <cstdlib>

namespace cuffware {

namespace {

std::string& ChosenWinePrefix() {
    static std::string chosen;
    return chosen;
}

}  // namespace

void UseWinePrefix(const std::string& prefix) {
    ChosenWinePrefix() = prefix;
}

std::string WinePrefix() {
    if (!ChosenWinePrefix().empty())
        return ChosenWinePrefix();
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

std::string HostPath(std::string_view pathText) {
    return ResolveCase(MapPathText(pathText, WinePrefix()));
}

}  // namespace cuffware
