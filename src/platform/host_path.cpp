// The path rule on every host; mapping drives and resolving case is in
// host_path_posix.cpp (Windows does both itself: host_path_win32.cpp).

#include "platform/host_path.h"

#include <algorithm>
#include <cstdlib>

namespace cuffware {

std::string WinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

std::vector<std::string_view> ComponentsBelowDriveRoot(std::string_view afterDrive) {
    std::vector<std::string_view> components;
    while (!afterDrive.empty()) {
        const size_t end = std::min(afterDrive.find_first_of("\\/"), afterDrive.size());
        std::string_view component = afterDrive.substr(0, end);
        afterDrive.remove_prefix(std::min(end + 1, afterDrive.size()));
        if (component == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!component.empty() && component != ".") {
            components.push_back(component);
        }
    }
    return components;
}

std::string HostPath(std::string_view pathText) {
    return ResolveCase(MapPathText(pathText, WinePrefix()));
}

}  // namespace cuffware
