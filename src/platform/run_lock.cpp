#include "platform/run_lock.h"

namespace cuffware {

RunLock& RunLock::operator=(RunLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = other.handle_;
        other.handle_ = kNone;
    }
    return *this;
}

RunLock::~RunLock() {
    Release();
}

}  // namespace cuffware
