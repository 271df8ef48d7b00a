#pragma once
// The drives of a Wine prefix: each "x:" link in its dosdevices directory
// and where it leads. The path rule asks for them for every path a tool
// names, so they are kept while the directory's stamp (directory_stamp.h)
// says it has not changed.

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/directory_stamp.h"

namespace cuffware {

struct DriveLink {
    char letter = 0;               // lower case
    std::filesystem::path target;  // every link on the way resolved
};

// The drives as they are now; a link that leads nowhere is left out.
// complete tells whether every drive link led somewhere.
std::vector<DriveLink> ReadDrives(const std::filesystem::path& dosdevices, bool& complete);

class DriveListCache {
  public:
    explicit DriveListCache(std::function<long long()> now = NowForStamps) : now_(std::move(now)) {}

    // ReadDrives, or what it gave before when the directory's stamp is the
    // one it had then. A list is kept only when the stamp is settled and
    // every link led somewhere (a target may appear later).
    std::vector<DriveLink> Drives(const std::filesystem::path& dosdevices);

  private:
    struct Kept {
        DirectoryStamp stamp;
        std::vector<DriveLink> drives;
    };

    std::function<long long()> now_;
    std::mutex guard_;
    std::map<std::string, Kept> kept_;
};

// The drives through the process's own cache.
std::vector<DriveLink> DrivesOf(const std::filesystem::path& dosdevices);

}  // namespace cuffware
