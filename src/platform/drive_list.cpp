#include "platform/drive_list.h"

#include <cctype>
#include <optional>
#include <system_error>

#include "platform/drive_target.h"
#include "platform/path_text.h"

namespace cuffware {

namespace fs = std::filesystem;

namespace {

// "c:" but not "c::" (Wine's raw device entries).
bool IsDriveName(const std::string& name) {
    return name.size() == 2 && !DriveOf(name).empty();
}

}  // namespace

std::vector<DriveLink> ReadDrives(const fs::path& dosdevices, bool& complete) {
    std::vector<DriveLink> drives;
    complete = true;
    std::error_code error;
    for (fs::directory_iterator it(dosdevices, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (!IsDriveName(name))
            continue;
        std::optional<fs::path> target = DriveTarget(it->path());
        if (!target) {
            complete = false;
            continue;
        }
        drives.push_back(
            {static_cast<char>(std::tolower(static_cast<unsigned char>(name[0]))), *target});
    }
    complete = complete && !error;
    return drives;
}

std::vector<DriveLink> DriveListCache::Drives(const fs::path& dosdevices) {
    const std::string key = dosdevices.string();
    std::optional<DirectoryStamp> before = StampOf(key);
    if (before) {
        std::lock_guard<std::mutex> lock(guard_);
        if (auto found = kept_.find(key); found != kept_.end() && found->second.stamp == *before)
            return found->second.drives;
    }
    bool complete = false;
    std::vector<DriveLink> drives = ReadDrives(dosdevices, complete);
    // Kept only when nothing changed while it was read and nothing can
    // change later without a new stamp.
    if (before && complete && StampOf(key) == before && IsSettled(*before, now_())) {
        std::lock_guard<std::mutex> lock(guard_);
        kept_[key] = Kept{*before, drives};
    }
    return drives;
}

std::vector<DriveLink> DrivesOf(const fs::path& dosdevices) {
    static DriveListCache cache;
    return cache.Drives(dosdevices);
}

}  // namespace cuffware
