#include "platform/settings_location.h"

#include <filesystem>
#include <system_error>
namespace cuffware {

std::string SettingsFileFor(const std::string& programDir, const std::string& fileName) {
    namespace fs = std::filesystem;
    fs::path beside = fs::path(programDir) / fileName;
    std::error_code error;
    if (fs::exists(beside, error) || MayKeepSettingsIn(programDir))
        return beside.string();
    fs::path userDir = UserSettingsDirectory();
    fs::create_directories(userDir, error);
    return (userDir / fileName).string();
}

}  // namespace cuffware
