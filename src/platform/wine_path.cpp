#include "platform/wine_path.h"

#include "platform/path_text.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/drive_target.h"
#include "platform/host_path.h"
#include "platform/resolved_path.h"

namespace cuffware {

namespace fs = std::filesystem;

namespace {

// "c:" but not "c::" (Wine's raw device entries).
bool IsDriveName(const std::string& name) {
    return name.size() == 2 && !DriveOf(name).empty();
}

// How many components of path lie below base, or -1 when path is not base
// or below it.
int DepthBelow(const fs::path& path, const fs::path& base) {
    auto b = base.begin();
    auto p = path.begin();
    for (; b != base.end(); ++b, ++p) {
        if (p == path.end() || *p != *b)
            return -1;
    }
    int depth = 0;
    for (; p != path.end(); ++p)
        ++depth;
    return depth;
}

int ComponentCount(const fs::path& path) {
    return static_cast<int>(std::distance(path.begin(), path.end()));
}

struct Drive {
    char letter = 0;
    fs::path target;
};

// The drive whose target holds path: the deepest target, the first letter
// among equally deep ones.
std::optional<Drive> HoldingDrive(const fs::path& path, const fs::path& dosdevices) {
    std::optional<Drive> best;
    std::error_code error;
    for (fs::directory_iterator it(dosdevices, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (!IsDriveName(name))
            continue;
        std::optional<fs::path> target = DriveTarget(it->path());
        if (!target || DepthBelow(path, *target) < 0)
            continue;
        char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
        int depth = ComponentCount(*target);
        if (!best || depth > ComponentCount(best->target) ||
            (depth == ComponentCount(best->target) && letter < best->letter))
            best = Drive{letter, *target};
    }
    return best;
}

}  // namespace

std::optional<std::string> WindowsPathUnderWine(std::string_view hostPath,
                                                std::string_view wineprefix) {
    if (hostPath.empty() || hostPath[0] != '/' || wineprefix.empty())
        return std::nullopt;
    fs::path path = ResolvedPath(fs::path(hostPath));
    std::optional<Drive> drive = HoldingDrive(path, fs::path(wineprefix) / "dosdevices");
    if (!drive)
        return std::nullopt;
    std::string windows{drive->letter, ':'};
    auto rest = path.begin();
    std::advance(rest, ComponentCount(drive->target));
    if (rest == path.end())
        return windows + "\\";
    for (; rest != path.end(); ++rest) {
        if (!rest->empty())  // a trailing separator
            windows += "\\" + rest->string();
    }
    return windows;
}

std::string WindowsFormUnderWine(std::string_view path) {
    return WindowsPathUnderWine(path, WinePrefix()).value_or(std::string(path));
}

}  // namespace cuffware
