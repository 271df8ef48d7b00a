// Off Windows the path rule maps drive letters into the Wine prefix and
// matches names without regard to case, as Windows itself does.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include <sys/stat.h>

#include "platform/host_path.h"
#include "platform/path_text.h"
#include "platform/wine_path.h"

namespace cuffware {

namespace fs = std::filesystem;

namespace {

// The entry of directory whose name equals name without regard to case, or "".
std::string FindEntryIgnoringCase(const std::string& directory, const std::string& name) {
    std::error_code error;
    fs::directory_iterator it(directory.empty() ? "." : directory, error);
    if (error)
        return {};
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            return {};
        std::string candidate = it->path().filename().string();
        if (SameIgnoringCase(candidate, name))
            return candidate;
    }
    return {};
}

// An entry at the name itself, a link counting as one (never followed at
// the end).
bool ExistsAsSpelt(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

std::string MapPathText(std::string_view pathText, std::string_view wineprefix) {
    std::string mapped;
    if (!DriveOf(pathText).empty()) {
        mapped.append(wineprefix);
        mapped.append("/dosdevices/");
        mapped.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(pathText[0]))));
        mapped.push_back(':');
        for (std::string_view component : ComponentsBelowDriveRoot(pathText.substr(2)))
            mapped.append("/").append(component);
        return mapped;
    }
    for (char c : pathText)
        mapped += (c == '\\') ? '/' : c;
    return mapped;
}

std::string HostPathFrom(std::string_view workingDirectory, std::string_view pathText) {
    if (!DriveOf(pathText).empty())
        return HostPath(pathText);
    // On the host, as it stands (off every drive, or as on Wine's drive z:).
    auto onTheHost = [&] { return ResolveCase(MapPathText(pathText, WinePrefix())); };
    if (pathText.empty())
        return onTheHost();
    if (workingDirectory.empty()) {
        std::error_code error;
        std::string current = fs::current_path(error).string();
        return error ? onTheHost() : HostPathFrom(current, pathText);
    }
    // A path without a drive is on the working directory's drive.
    std::optional<std::string> windowsDirectory =
        WindowsPathUnderWine(workingDirectory, WinePrefix());
    if (IsRooted(pathText))
        return windowsDirectory ? HostPath(windowsDirectory->substr(0, 2) + std::string(pathText))
                                : onTheHost();
    // On a drive a relative path is joined to the directory's Windows path
    // and its ".." taken out as Windows takes them, by the text: never by the
    // host, for whom ".." after a link would climb from the link's target.
    if (windowsDirectory)
        return HostPath(*windowsDirectory + "\\" + std::string(pathText));
    return ResolveCase(std::string(workingDirectory) + "/" + MapPathText(pathText, WinePrefix()));
}

void AnchorWinePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix || fs::path(prefix).is_absolute())
        return;
    std::error_code error;
    fs::path absolute = fs::absolute(prefix, error);
    if (error)
        return;
    std::string normal = absolute.lexically_normal().string();
    if (normal.size() > 1 && normal.back() == '/')  // "q12/x/.." normalises to ".../q12/"
        normal.pop_back();
    setenv("WINEPREFIX", normal.c_str(), 1);
}

std::string ResolveCase(std::string_view hostPath) {
    // Keep each component that exists as spelt, otherwise take the directory
    // entry that matches it without regard to case. A path that exists as it
    // is needs no walk: the system found every component on its way.
    std::string path(hostPath);
    if (ExistsAsSpelt(path))
        return path;
    const size_t slash = path.rfind('/');
    std::string resolved;
    if (slash != std::string::npos)
        resolved = slash == 0 ? "/" : ResolveCase(path.substr(0, slash)) + "/";
    std::string component = path.substr(slash == std::string::npos ? 0 : slash + 1);
    // The path itself is known to be missing; a parent that changed may hold
    // the component as spelt.
    const std::string candidate = resolved + component;
    if (!component.empty() && component != "." && component != ".." &&
        (candidate == path || !ExistsAsSpelt(candidate))) {
        std::string match = FindEntryIgnoringCase(resolved.empty() ? "." : resolved, component);
        if (!match.empty())
            component = match;
    }
    return resolved + component;
}

}  // namespace cuffware
