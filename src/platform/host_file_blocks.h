#pragma once
// A regular file read a block at a time, from any offset, so that a reader's
// memory need not grow with the file (dis88 reads an image twice this way).

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "platform/result.h"

namespace cuffware {

class HostFileBlocks {
  public:
    // Opens a regular file for reading; a directory, device or FIFO is
    // refused, as ReadHostFile refuses them, naming pathText.
    static Result<std::unique_ptr<HostFileBlocks>> Open(const std::string& hostPath,
                                                        const std::string& pathText);
    ~HostFileBlocks();
    HostFileBlocks(const HostFileBlocks&) = delete;
    HostFileBlocks& operator=(const HostFileBlocks&) = delete;

    // The file's size when it was opened.
    unsigned long long Size() const { return size_; }

    // Fills into with the bytes from offset on; fewer only at the file's end.
    Result<size_t> ReadAt(unsigned long long offset, std::span<char> into);

  private:
    HostFileBlocks(int fd, unsigned long long size, std::string pathText)
        : fd_(fd), size_(size), pathText_(std::move(pathText)) {}

    int fd_;
    unsigned long long size_;
    std::string pathText_;
};

}  // namespace cuffware
