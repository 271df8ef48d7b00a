#include "platform/drive_target.h"

#include <map>
#include <mutex>
#include <string>
#include <system_error>
#include <utility>

namespace cuffware {

namespace fs = std::filesystem;

std::optional<fs::path> DriveTarget(const fs::path& driveLink) {
    // Keyed by the link and its text: a drive pointed elsewhere is resolved
    // anew. A drive that leads nowhere is never kept, it may appear later.
    static std::mutex guard;
    static std::map<std::pair<std::string, std::string>, fs::path> resolved;
    std::error_code error;
    fs::path text = fs::is_symlink(fs::symlink_status(driveLink, error))
                        ? fs::read_symlink(driveLink, error)
                        : fs::path();
    if (error)
        return std::nullopt;
    std::pair<std::string, std::string> key{driveLink.string(), text.string()};
    {
        std::lock_guard<std::mutex> lock(guard);
        if (auto found = resolved.find(key); found != resolved.end())
            return found->second;
    }
    fs::path target = fs::canonical(driveLink, error);
    if (error)
        return std::nullopt;
    std::lock_guard<std::mutex> lock(guard);
    resolved[key] = target;
    return target;
}

}  // namespace cuffware
