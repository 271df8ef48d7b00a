#pragma once
// What tells whether a directory's entries may have changed since it was
// last read: which directory it is and its change and modification times.
// A file system keeps those times to a clock tick, so a change within the
// same tick as the time read leaves them as they were: a stamp is to be
// trusted only once the clock has moved on well past it.

#include <optional>
#include <string>

namespace cuffware {

struct DirectoryStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long changed = 0;   // nanoseconds since the epoch
    long long modified = 0;  // nanoseconds since the epoch

    bool operator==(const DirectoryStamp&) const = default;
};

// The stamp of the directory at hostPath, links followed; nothing when it
// cannot be read or this host gives no such times.
std::optional<DirectoryStamp> StampOf(const std::string& hostPath);

// The wall clock as the file system's times count it, in nanoseconds.
long long NowForStamps();

// Whether no change can still come to share the stamp's times: both lie at
// least the settling time before now. A file system that keeps fractions of
// a second keeps them to a clock tick of the kernel, at most 10 ms; one that
// keeps whole seconds (FAT's two) gives times without a fraction, and a time
// without one, which a finer file system gives now and then as well, waits
// for the longer settling.
bool IsSettled(const DirectoryStamp& stamp, long long now);

inline constexpr long long kFineStampSettling = 100'000'000;  // 100 ms: ten ticks or more
inline constexpr long long kStampSettling = 2'000'000'000;    // 2 s: whole-second times

}  // namespace cuffware
