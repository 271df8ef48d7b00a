#include "platform/host_path.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace cuffware {

namespace fs = std::filesystem;

namespace {

bool StartsWithDrive(std::string_view text) {
    return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':';
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

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

}  // namespace

std::string MapPathText(std::string_view pathText, std::string_view wineprefix) {
#ifdef _WIN32
    (void)wineprefix;
    return std::string(pathText);
#else
    std::string mapped;
    if (StartsWithDrive(pathText)) {
        mapped = std::string(wineprefix) + "/dosdevices/" +
                 static_cast<char>(std::tolower(static_cast<unsigned char>(pathText[0]))) + ":";
        pathText.remove_prefix(2);
        if (!pathText.empty() && pathText[0] != '\\' && pathText[0] != '/')
            mapped += '/';
    }
    for (char c : pathText)
        mapped += (c == '\\') ? '/' : c;
    return mapped;
#endif
}

std::string WinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

std::string ResolveCase(std::string_view hostPath) {
#ifdef _WIN32
    return std::string(hostPath);
#else
    // Walk the components; keep each one that exists as spelt, otherwise take
    // the directory entry that matches it without regard to case.
    std::string resolved;
    size_t pos = 0;
    if (!hostPath.empty() && hostPath[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    while (pos <= hostPath.size()) {
        size_t end = hostPath.find('/', pos);
        if (end == std::string_view::npos)
            end = hostPath.size();
        std::string component(hostPath.substr(pos, end - pos));
        std::string directory = resolved;
        if (!component.empty() && component != "." && component != "..") {
            std::error_code error;
            std::string exact = directory + component;
            if (!fs::exists(fs::symlink_status(exact, error))) {
                std::string dir = directory.empty() ? "." : directory;
                std::string match = FindEntryIgnoringCase(dir, component);
                if (!match.empty())
                    component = match;
            }
        }
        resolved += component;
        if (end < hostPath.size())
            resolved += '/';
        pos = end + 1;
    }
    return resolved;
#endif
}

std::string HostPath(std::string_view pathText) {
    return ResolveCase(MapPathText(pathText, WinePrefix()));
}

}  // namespace cuffware
