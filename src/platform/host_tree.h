#pragma once
// Laying out directory trees on the host, for the demo: host paths here,
// not path texts.

#include <string>

#include "platform/result.h"

namespace cuffware {

// Copies every file below fromDir into toDir, creating directories.
Status CopyTree(const std::string& fromDir, const std::string& toDir);

// Copies one file; with executable the copy gets execute permission.
Status CopyOneFile(const std::string& from, const std::string& to, bool executable);

// Makes prefix/dosdevices/<letter>: a link to target, as Wine lays out a drive.
Status LinkWineDrive(const std::string& prefix, char letter, const std::string& target);

// Success when dir does not exist or is an empty directory; anything else,
// a directory holding files among it, is refused with the reason.
Status RequireEmptyDirectory(const std::string& dir);

// Creates a directory and its parents.
Status MakeDirectories(const std::string& dir);

// A new, empty directory under the system's temporary directory, made by the
// host's own call for it (mkdtemp; on Windows a fresh name tried until one is
// free).
Result<std::string> MakeTemporaryDirectory(const std::string& namePrefix);

}  // namespace cuffware
