#include "platform/file_times.h"

#include <algorithm>
#include <filesystem>

#include "platform/host_path.h"
#include "platform/path_text.h"

namespace cuffware {

namespace fs = std::filesystem;

std::optional<long long> LastWritten(const std::string& pathText) {
    std::error_code error;
    fs::file_time_type written = fs::last_write_time(HostPath(pathText), error);
    if (error)
        return std::nullopt;
    return static_cast<long long>(written.time_since_epoch().count());
}

std::vector<std::string> FileNamesEndingWith(const std::string& directoryText,
                                             std::string_view suffix) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(HostPath(directoryText), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && name.size() > suffix.size() &&
            SameIgnoringCase(std::string_view(name).substr(name.size() - suffix.size()), suffix))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace cuffware
