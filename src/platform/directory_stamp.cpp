#include "platform/directory_stamp.h"

namespace cuffware {

bool IsSettled(const DirectoryStamp& stamp, long long now) {
    return now - stamp.changed >= kStampSettling && now - stamp.modified >= kStampSettling;
}

}  // namespace cuffware
