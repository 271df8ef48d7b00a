#pragma once
// What a directory holds and when its files were written, for deciding
// whether a build is older than its sources: path texts, as FileSystem takes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cuffware {

// When the file was last written, in the file system's own clock (only
// comparable with other such times); nullopt when there is no such file.
std::optional<long long> LastWritten(const std::string& pathText);

// The names of the regular files in a directory whose names end with suffix
// (compared without regard to case), sorted; none when it cannot be read.
std::vector<std::string> FileNamesEndingWith(const std::string& directoryText,
                                             std::string_view suffix);

}  // namespace cuffware
