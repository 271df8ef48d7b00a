#pragma once
// Everything below a host directory, for "nothing here changed" checks: each
// entry's path relative to the directory, with a file's bytes, a link's
// target or "<dir>".

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <system_error>

namespace cuffware::testing {

using TreeSnapshot = std::map<std::string, std::string>;

// The entries below directory, but those below skip (a directory inside it
// that a test lets change).
inline TreeSnapshot SnapshotTree(const std::filesystem::path& directory,
                                 const std::filesystem::path& skip = {}) {
    namespace fs = std::filesystem;
    TreeSnapshot snapshot;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(directory, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!skip.empty() && it->path() == skip) {
            it.disable_recursion_pending();
            continue;
        }
        std::string relative = it->path().lexically_relative(directory).string();
        if (it->is_symlink(error)) {
            snapshot[relative] = "-> " + fs::read_symlink(it->path(), error).string();
        } else if (it->is_directory(error)) {
            snapshot[relative] = "<dir>";
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            std::ostringstream content;
            content << in.rdbuf();
            snapshot[relative] = content.str();
        }
    }
    return snapshot;
}

// The entries' paths alone, one a line, for a failure's message.
inline std::string EntryNames(const TreeSnapshot& snapshot) {
    std::string names;
    for (const auto& [path, content] : snapshot)
        names += path + "\n";
    return names;
}

}  // namespace cuffware::testing
