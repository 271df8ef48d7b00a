#include "platform/wine_path.h"

#include "platform/path_text.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/drive_list.h"
#include "platform/host_path.h"
#include "platform/resolved_path.h"

namespace cuffware {

namespace fs = std::filesystem;

namespace {

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

// The drive whose target holds path: the deepest target, the first letter
// among equally deep ones.
std::optional<DriveLink> HoldingDrive(const fs::path& path, const fs::path& dosdevices) {
    std::optional<DriveLink> best;
    for (const DriveLink& drive : DrivesOf(dosdevices)) {
        if (DepthBelow(path, drive.target) < 0)
            continue;
        int depth = ComponentCount(drive.target);
        if (!best || depth > ComponentCount(best->target) ||
            (depth == ComponentCount(best->target) && drive.letter < best->letter))
            best = drive;
    }
    return best;
}

}  // namespace

std::optional<std::string> WindowsPathUnderWine(std::string_view hostPath,
                                                std::string_view wineprefix) {
    if (hostPath.empty() || hostPath[0] != '/' || wineprefix.empty())
        return std::nullopt;
    fs::path path = ResolvedPath(fs::path(hostPath));
    std::optional<DriveLink> drive = HoldingDrive(path, fs::path(wineprefix) / "dosdevices");
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
