#pragma once
// A FileSystem that works on the disk but fails on demand: the Nth write
// (WriteFile or WriteTemporary), the renames from the Nth on,
// or every write to a path matching a wildcard pattern, fails as a full disk
// would, without touching the disk. A file can also be made to vanish just
// before it is read, as when it is deleted between the existence test and the
// conversion.

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace cuffware::testing {

class FailingFileSystem : public FileSystem {
  public:
    bool Exists(const std::string& pathText) override;
    Result<bool> Present(const std::string& pathText) override { return disk_.Present(pathText); }
    Result<std::string> ReadFile(const std::string& pathText, size_t maxBytes) override;
    Status WriteFile(const std::string& pathText, std::string_view content) override;
    Result<std::string> WriteTemporary(const std::string& pathText,
                                       std::string_view content) override;
    Status Rename(const std::string& fromText, const std::string& toText) override;
    Status FlushDirectory(const std::string& directoryText) override {
        return disk_.FlushDirectory(directoryText);
    }
    Status MakeDirectory(const std::string& pathText) override;
    Status RemoveFile(const std::string& pathText) override;
    int DeleteMatching(const std::string& directoryText, std::string_view pattern) override;

    // The WriteFile call that fails, counting from 1; 0: none by number.
    int failWriteNumber = 0;
    // With failWriteNumber: every later write fails as well, as a disk that
    // stays full.
    bool laterWritesFail = false;
    // Writes to paths matching this pattern ("*" and "?", letter case
    // ignored) fail; empty: none by path.
    std::string failWritesMatching;
    // What a failed write reports after the path.
    std::string message = "cannot write: No space left on device";
    // Files matching this pattern are deleted just before they are read.
    std::string vanishBeforeRead;

    // The Rename call from which on every rename fails, counting from 1;
    // 0: none.
    int failRenameNumber = 0;

    // Every path WriteFile or WriteTemporary was asked for, in order, failed
    // ones included; the number of Rename calls.
    std::vector<std::string> writes;
    int renames = 0;

  private:
    bool WriteFails(const std::string& pathText);

    FileSystem& disk_ = DiskFileSystem();
};

}  // namespace cuffware::testing
