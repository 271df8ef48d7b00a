#pragma once
// A regular file read a block at a time, from any offset, so that a reader's
// memory need not grow with the file (dis88 reads an image twice this way).

#include <cstddef>
#include <fstream>
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

    // The file's size when it was opened.
    unsigned long long Size() const { return size_; }

    // Fills into with the bytes from offset on; fewer only at the file's end.
    Result<size_t> ReadAt(unsigned long long offset, std::span<char> into);

  private:
    explicit HostFileBlocks(std::string pathText) : pathText_(std::move(pathText)) {}

    std::ifstream stream_;
    unsigned long long size_ = 0;
    std::string pathText_;
};

}  // namespace cuffware
