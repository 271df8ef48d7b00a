#pragma once
// Where a drive link of a Wine prefix ($WINEPREFIX/dosdevices/c:) leads,
// every link on the way resolved. Every relative path a tool is given asks
// for it, so the answer is kept for the process while the drive's own link
// says the same.

#include <filesystem>
#include <optional>

namespace cuffware {

// The drive link's target, links resolved; nothing when it leads nowhere.
std::optional<std::filesystem::path> DriveTarget(const std::filesystem::path& driveLink);

}  // namespace cuffware
