#include "platform/file_system.h"
#include "platform/path_text.h"

#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/host_file.h"
#include "platform/host_path.h"

namespace cuffware {

namespace fs = std::filesystem;

namespace {

// Temporary files of this process are told apart by a counter.
std::atomic<unsigned> temporaryCounter{0};

// The host would take a name only up to a NUL byte, and so reach another
// file than the one named.
bool HoldsNul(std::string_view pathText) {
    return pathText.find('\0') != std::string_view::npos;
}

Diagnostic NulRefused(const std::string& pathText) {
    return Diagnostic{pathText, 0, "refused: the name holds a NUL byte"};
}

// Writes content to a new file named target plus a suffix no other file
// has; returns the suffix. A name taken already (a file another run left,
// or a link someone put there) is passed over, never opened.
Result<std::string> WriteBeside(const std::string& target, const std::string& pathText,
                                std::string_view content, Durability durability) {
    for (int attempt = 0;; ++attempt) {
        std::string suffix =
            "." + ProcessTag() + "-" + std::to_string(temporaryCounter++) + kTemporarySuffix;
        bool taken = false;
        Status written = WriteNewHostFile(target + suffix, content, pathText, taken, durability);
        if (written)
            return suffix;
        if (!taken || attempt == 100)
            return written.error();
    }
}

class Disk : public FileSystem {
    // The temporary file beside the target takes its name: the host path is
    // resolved once for both.
    Status Replace(const std::string& pathText, std::string_view content, Durability durability) {
        if (HoldsNul(pathText))
            return NulRefused(pathText);
        const std::string target = HostPath(pathText);
        Result<std::string> suffix = WriteBeside(target, pathText, content, durability);
        if (!suffix)
            return suffix.error();
        Status renamed =
            RenameHostFile(target + *suffix, target, pathText + *suffix, pathText, durability);
        if (!renamed)
            std::remove((target + *suffix).c_str());
        return renamed;
    }

  public:
    bool Exists(const std::string& pathText) override {
        return !HoldsNul(pathText) && HostFileOpens(HostPath(pathText));
    }

    Result<bool> Present(const std::string& pathText) override {
        if (HoldsNul(pathText))
            return NulRefused(pathText);
        return HostFilePresent(HostPath(pathText), pathText);
    }

    Result<std::string> ReadFile(const std::string& pathText, size_t maxBytes) override {
        if (HoldsNul(pathText))
            return NulRefused(pathText);
        return ReadHostFile(HostPath(pathText), maxBytes, pathText);
    }

    Status WriteFile(const std::string& pathText, std::string_view content) override {
        if (Status replaced = Replace(pathText, content, Durability::kFlushed); !replaced)
            return replaced;
        return FlushDirectory(DirectoryOrCurrent(pathText));
    }

    Status WriteRegenerable(const std::string& pathText, std::string_view content) override {
        return Replace(pathText, content, Durability::kCached);
    }

    Result<std::string> WriteTemporary(const std::string& pathText,
                                       std::string_view content) override {
        if (HoldsNul(pathText))
            return NulRefused(pathText);
        Result<std::string> suffix =
            WriteBeside(HostPath(pathText), pathText, content, Durability::kFlushed);
        if (!suffix)
            return suffix.error();
        return pathText + *suffix;
    }

    Status Rename(const std::string& fromText, const std::string& toText) override {
        if (HoldsNul(fromText) || HoldsNul(toText))
            return NulRefused(HoldsNul(fromText) ? fromText : toText);
        return RenameHostFile(HostPath(fromText), HostPath(toText), fromText, toText);
    }

    Status FlushDirectory(const std::string& directoryText) override {
        if (HoldsNul(directoryText))
            return NulRefused(directoryText);
        return FlushHostDirectory(HostPath(directoryText), directoryText);
    }

    Status MakeDirectory(const std::string& pathText) override {
        if (HoldsNul(pathText))
            return NulRefused(pathText);
        std::error_code error;
        if (!fs::create_directory(HostPath(pathText), error) && error)
            return Diagnostic{pathText, 0, "cannot create directory: " + error.message()};
        return Status::Ok();
    }

    Status RemoveFile(const std::string& pathText) override {
        if (HoldsNul(pathText))
            return NulRefused(pathText);
        std::error_code error;
        if (!fs::remove(HostPath(pathText), error))
            return Diagnostic{pathText, 0,
                              error ? "cannot delete: " + error.message() : "no such file"};
        return Status::Ok();
    }

    int DeleteMatching(const std::string& directoryText, std::string_view pattern) override {
        if (HoldsNul(directoryText))
            return 0;
        std::error_code error;
        fs::directory_iterator it(HostPath(directoryText), error);
        if (error)
            return 0;
        std::vector<fs::path> doomed;
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error)
                break;
            if (it->is_regular_file(error) &&
                WildcardMatch(pattern, it->path().filename().string()))
                doomed.push_back(it->path());
        }
        int deleted = 0;
        for (const fs::path& path : doomed)
            deleted += fs::remove(path, error) ? 1 : 0;
        return deleted;
    }
};

char Folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

FileSystem& DiskFileSystem() {
    static Disk disk;
    return disk;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    // Greedy match with one backtrack point for the last "*".
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Folded(pattern[p]) == Folded(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace cuffware
