#pragma once
// A full disk without mounting one: while a FileSizeLimit lives, no file of
// this process may grow past `bytes`; a write beyond fails with EFBIG ("File
// too large") as one on a full disk fails with ENOSPC, and the signal the
// kernel sends with it is ignored.

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace cuffware::testing {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(size_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace cuffware::testing
#endif
