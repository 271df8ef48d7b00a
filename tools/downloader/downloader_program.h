#pragma once
// The stand-in downloader's command line: CuffwareDL DESCRIPTOR.app.

#include <ostream>
#include <span>
#include <string>

namespace cuffware::downloader {

inline constexpr int kExitIncomplete = 1;
inline constexpr int kExitUsage = 2;

// Checks the package the descriptor describes and prints what it would
// load. The result is the exit status: 0 when the package is complete,
// kExitIncomplete when not (each problem printed on err with its file and
// reason), kExitUsage for a bad command line.
int RunDownloader(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace cuffware::downloader
