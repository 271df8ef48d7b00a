#pragma once
// Every file the system touches goes through a FileSystem, addressed by path
// text (see host_path.h). The real one works on the disk; tests may put one
// in its place that fails on demand.

#include <string>
#include <string_view>

#include "platform/result.h"

namespace cuffware {

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The existence test: open for reading and close at once; any failure
    // counts as "not found".
    virtual bool Exists(const std::string& pathText) = 0;

    // The whole file as bytes.
    virtual Result<std::string> ReadFile(const std::string& pathText) = 0;

    // Replaces the file with content, completely or not at all: the bytes go
    // to a temporary file beside it, which then takes the file's name. On
    // failure the old file is untouched and the diagnostic names pathText and
    // the system's reason.
    virtual Status WriteFile(const std::string& pathText, std::string_view content) = 0;

    // Creates the last level of the path only; its parent must exist.
    virtual Status MakeDirectory(const std::string& pathText) = 0;

    // Deletes one file; a failure (none there) is reported, callers may ignore it.
    virtual Status RemoveFile(const std::string& pathText) = 0;

    // Deletes every file in directoryText whose name matches pattern ("*" and
    // "?" wildcards, letter case ignored), such as "state1.*". Failures are
    // ignored; returns how many files were deleted.
    virtual int DeleteMatching(const std::string& directoryText, std::string_view pattern) = 0;
};

// The host's file system.
FileSystem& DiskFileSystem();

// True when name matches a "*"/"?" wildcard pattern, letter case ignored.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace cuffware
