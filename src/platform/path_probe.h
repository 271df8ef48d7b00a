#pragma once
// What lies at a path text on this host, for the set-up check: a file, a
// directory or nothing, and the host path the path rule gave.

#include <string>
#include <string_view>

namespace cuffware {

struct PathProbe {
    enum Kind { kMissing, kFile, kDirectory } kind = kMissing;
    std::string hostPath;
    bool windowsProgram = false;  // a file that starts with "MZ"
};

PathProbe ProbePath(std::string_view pathText);

}  // namespace cuffware
