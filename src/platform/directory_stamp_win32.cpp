// Windows programs name Windows paths and read no Wine prefix, so nothing
// here is kept on a stamp: every directory is read each time.

#include "platform/directory_stamp.h"

namespace cuffware {

std::optional<DirectoryStamp> StampOf(const std::string&) {
    return std::nullopt;
}

long long NowForStamps() {
    return 0;
}

}  // namespace cuffware
