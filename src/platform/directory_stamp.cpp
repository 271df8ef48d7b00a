#include "platform/directory_stamp.h"

namespace cuffware {

namespace {

constexpr long long kSecond = 1'000'000'000;

}  // namespace

bool IsSettled(const DirectoryStamp& stamp, long long now) {
    bool fine = stamp.changed % kSecond != 0 && stamp.modified % kSecond != 0;
    long long settling = fine ? kFineStampSettling : kStampSettling;
    return now - stamp.changed >= settling && now - stamp.modified >= settling;
}

}  // namespace cuffware
