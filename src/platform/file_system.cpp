#include "platform/file_system.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/host_path.h"

namespace cuffware {

namespace fs = std::filesystem;

namespace {

Diagnostic SystemFailure(const std::string& pathText, const std::string& what, int error) {
    return Diagnostic{pathText, 0, what + std::strerror(error)};
}

class Disk : public FileSystem {
  public:
    bool Exists(const std::string& pathText) override {
        std::FILE* file = std::fopen(HostPath(pathText).c_str(), "rb");
        if (!file)
            return false;
        std::fclose(file);
        return true;
    }

    Result<std::string> ReadFile(const std::string& pathText) override {
        std::FILE* file = std::fopen(HostPath(pathText).c_str(), "rb");
        if (!file)
            return SystemFailure(pathText, "cannot open: ", errno);
        std::string content;
        char buffer[1 << 16];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            content.append(buffer, got);
        int error = std::ferror(file) ? errno : 0;
        std::fclose(file);
        if (error)
            return SystemFailure(pathText, "cannot read: ", error);
        return content;
    }

    Status WriteFile(const std::string& pathText, std::string_view content) override {
        std::string target = HostPath(pathText);
        std::string temporary = target + ".cuffware-new";
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        if (!file)
            return SystemFailure(pathText, "cannot create: ", errno);
        bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
        int error = written ? 0 : errno;
        if (std::fflush(file) != 0 && error == 0)
            error = errno;
        if (std::fclose(file) != 0 && error == 0)
            error = errno;
        if (!written && error == 0)
            error = EIO;
        if (error) {
            std::remove(temporary.c_str());
            return SystemFailure(pathText, "cannot write: ", error);
        }
        // The bytes went through whatever stood at the temporary's name. Only
        // a regular file of our own may take the file's name: never a link
        // to a device or to some other file.
        std::error_code statusError;
        if (!fs::is_regular_file(fs::symlink_status(temporary, statusError))) {
            std::remove(temporary.c_str());
            return Diagnostic{pathText, 0,
                              "cannot replace: " + temporary + " is not a regular file"};
        }
        std::error_code renameError;
        fs::rename(temporary, target, renameError);
        if (renameError) {
            std::remove(temporary.c_str());
            return Diagnostic{pathText, 0, "cannot replace: " + renameError.message()};
        }
        return Status::Ok();
    }

    Status MakeDirectory(const std::string& pathText) override {
        std::error_code error;
        if (!fs::create_directory(HostPath(pathText), error) && error)
            return Diagnostic{pathText, 0, "cannot create directory: " + error.message()};
        return Status::Ok();
    }

    Status RemoveFile(const std::string& pathText) override {
        std::error_code error;
        if (!fs::remove(HostPath(pathText), error))
            return Diagnostic{pathText, 0,
                              error ? "cannot delete: " + error.message() : "no such file"};
        return Status::Ok();
    }

    int DeleteMatching(const std::string& directoryText, std::string_view pattern) override {
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
