// The path rule on every host; mapping drives and resolving case is in
// host_path_posix.cpp (Windows does both itself: host_path_win32.cpp).

#include "platform/host_path.h"

#include <algorithm>
#include <cstdlib>

namespace cuffware {

namespace {

std::string& ChosenWinePrefix() {
    static std::string chosen;
    return chosen;
}

// Hands each component of a path between its "\" and "/" to take, but the
// empty ones and ".".
template <typename Take>
void ForEachComponent(std::string_view path, Take take) {
    while (!path.empty()) {
        const size_t end = std::min(path.find_first_of("\\/"), path.size());
        std::string_view component = path.substr(0, end);
        path.remove_prefix(std::min(end + 1, path.size()));
        if (!component.empty() && component != ".")
            take(component);
    }
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

std::vector<std::string_view> ComponentsBelowDriveRoot(std::string_view afterDrive) {
    std::vector<std::string_view> components;
    ForEachComponent(afterDrive, [&](std::string_view component) {
        if (component != "..")
            components.push_back(component);
        else if (!components.empty())
            components.pop_back();
    });
    return components;
}

size_t LevelsClimbed(std::string_view relativePath) {
    size_t climbed = 0;
    size_t depth = 0;
    ForEachComponent(relativePath, [&](std::string_view component) {
        if (component != "..")
            ++depth;
        else if (depth > 0)
            --depth;
        else
            ++climbed;
    });
    return climbed;
}

std::string HostPath(std::string_view pathText) {
    return ResolveCase(MapPathText(pathText, WinePrefix()));
}

std::string WithHostPath(std::string_view pathText) {
    std::string host = HostPath(pathText);
    return host == pathText ? std::string(pathText) : std::string(pathText) + " (" + host + ")";
}

}  // namespace cuffware
