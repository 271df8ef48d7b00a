#pragma once
// Every file the system touches goes through a FileSystem, addressed by path
// text (see host_path.h). The real one works on the disk; tests may put one
// in its place that fails on demand.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace cuffware {

// The name ending of every temporary file the file system writes.
inline constexpr const char* kTemporarySuffix = ".cuffware-new";

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The existence test: open for reading (never waiting, as on a FIFO) and
    // close at once; any failure, or a directory, counts as "not found".
    virtual bool Exists(const std::string& pathText) = 0;

    // Whether something lies at the name, told apart from whether it can be
    // read: false when nothing does (the name, or a directory on its way, is
    // missing); true when a file that opens does; a diagnostic with the
    // system's reason when something is there that cannot be opened or
    // resolved (no permission, a link loop, a link to nothing, a directory).
    // Callers that would create the file take only false as leave to.
    virtual Result<bool> Present(const std::string& pathText) = 0;

    // The whole file as bytes, if it is a regular file of at most maxBytes:
    // a device, a FIFO or a directory is refused unread, and so is a file
    // that holds (or grows to) more than maxBytes.
    virtual Result<std::string> ReadFile(const std::string& pathText, size_t maxBytes) = 0;

    // Replaces the file with content, completely or not at all: the bytes go
    // to a new temporary file beside it (WriteTemporary), which then takes
    // the file's name (Rename), and the directory is flushed. On failure the old file is untouched,
    // no temporary file is left, and the diagnostic names pathText and the system's reason.
    virtual Status WriteFile(const std::string& pathText, std::string_view content) = 0;

    // Replaces a file that the build makes again from its sources (an object,
    // a map, S-records, a generated source) as WriteFile does, in one rename,
    // but without waiting for the disk: after a power cut the name may stand
    // for an empty or partial file. Every reader of such a file checks its end
    // marker and refuses one that ends early; the next build writes it anew.
    virtual Status WriteRegenerable(const std::string& pathText, std::string_view content) {
        return WriteFile(pathText, content);
    }

    // Writes content to a temporary file beside pathText, named
    // "NAME.UNIQUE.cuffware-new" with a part no other run uses, created new
    // and exclusive (never through a link, never an existing file) and
    // flushed to the disk. Returns its path text; on failure none is left.
    virtual Result<std::string> WriteTemporary(const std::string& pathText,
                                               std::string_view content) = 0;

    // Gives the regular file fromText the name toText in the same directory,
    // replacing what is there in one step. A source that is not a regular
    // file (a link, a directory) is refused and names fromText; so is a
    // target that is there but is no regular file this process can open (a
    // link, no permission), naming toText, which stays as it is; a failed
    // rename names toText. The new name is on the disk once the directory
    // is flushed (FlushDirectory): a caller renaming several files flushes
    // once after them.
    virtual Status Rename(const std::string& fromText, const std::string& toText) = 0;

    // Puts the directory's entries on the disk: the renames and deletions
    // done in it so far survive a power cut.
    virtual Status FlushDirectory(const std::string& directoryText) = 0;

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
