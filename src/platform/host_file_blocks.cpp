#include "platform/host_file_blocks.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace cuffware {

namespace {

Diagnostic Failure(const std::string& pathText, const std::string& what, int error) {
    return Diagnostic{pathText, 0, what + std::strerror(error)};
}

// std::filesystem's codes are the host's own (Windows' on Windows): its
// message says them in the host's words.
Diagnostic Failure(const std::string& pathText, const std::string& what, std::error_code error) {
    return Diagnostic{pathText, 0, what + error.message()};
}

}  // namespace

// What lies at the name is looked at before it is opened, so a FIFO is
// refused without waiting for a writer.
Result<std::unique_ptr<HostFileBlocks>> HostFileBlocks::Open(const std::string& hostPath,
                                                             const std::string& pathText) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(hostPath, error);
    if (error)
        return Failure(pathText, "cannot open: ", error);
    if (std::filesystem::is_directory(status))
        return Failure(pathText, "cannot read: ", EISDIR);
    if (!std::filesystem::is_regular_file(status))
        return Diagnostic{pathText, 0, "cannot read: not a regular file"};
    std::unique_ptr<HostFileBlocks> file(new HostFileBlocks(pathText));
    file->stream_.open(hostPath, std::ios::binary);
    if (!file->stream_)
        return Failure(pathText, "cannot open: ", errno);
    file->size_ = std::filesystem::file_size(hostPath, error);
    if (error)
        return Failure(pathText, "cannot read: ", error);
    return file;
}

Result<size_t> HostFileBlocks::ReadAt(unsigned long long offset, std::span<char> into) {
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    stream_.read(into.data(), static_cast<std::streamsize>(into.size()));
    if (stream_.bad())
        return Failure(pathText_, "cannot read: ", errno);
    return static_cast<size_t>(stream_.gcount());
}

}  // namespace cuffware
