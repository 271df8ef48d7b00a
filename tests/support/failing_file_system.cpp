#include "support/failing_file_system.h"

namespace cuffware::testing {

namespace {

bool Matches(const std::string& pattern, const std::string& pathText) {
    return !pattern.empty() && WildcardMatch(pattern, pathText);
}

}  // namespace

bool FailingFileSystem::Exists(const std::string& pathText) {
    return disk_.Exists(pathText);
}

Result<std::string> FailingFileSystem::ReadFile(const std::string& pathText, size_t maxBytes) {
    if (Matches(vanishBeforeRead, pathText))
        (void)disk_.RemoveFile(pathText);  // the read that follows tells
    return disk_.ReadFile(pathText, maxBytes);
}

bool FailingFileSystem::WriteFails(const std::string& pathText) {
    writes.push_back(pathText);
    const int number = static_cast<int>(writes.size());
    const bool failsByNumber =
        failWriteNumber > 0 &&
        (number == failWriteNumber || (laterWritesFail && number > failWriteNumber));
    return failsByNumber || Matches(failWritesMatching, pathText);
}

Status FailingFileSystem::WriteFile(const std::string& pathText, std::string_view content) {
    if (WriteFails(pathText))
        return Diagnostic{pathText, 0, message};
    return disk_.WriteFile(pathText, content);
}

Result<std::string> FailingFileSystem::WriteTemporary(const std::string& pathText,
                                                      std::string_view content) {
    if (WriteFails(pathText))
        return Diagnostic{pathText, 0, message};
    return disk_.WriteTemporary(pathText, content);
}

Status FailingFileSystem::Rename(const std::string& fromText, const std::string& toText) {
    const int number = ++renames;
    if (failRenameNumber > 0 && number >= failRenameNumber)
        return Diagnostic{toText, 0, message};
    return disk_.Rename(fromText, toText);
}

Status FailingFileSystem::MakeDirectory(const std::string& pathText) {
    return disk_.MakeDirectory(pathText);
}

Status FailingFileSystem::RemoveFile(const std::string& pathText) {
    return disk_.RemoveFile(pathText);
}

int FailingFileSystem::DeleteMatching(const std::string& directoryText, std::string_view pattern) {
    return disk_.DeleteMatching(directoryText, pattern);
}

}  // namespace cuffware::testing
