#pragma once
// The host's file primitives under the disk file system (file_system.h):
// host paths here, diagnostics naming the path text the caller gives.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace cuffware {

// Opens the file for reading without waiting and closes it again.
bool HostFileOpens(const std::string& hostPath);

// Whether something is at hostPath; see FileSystem::Present.
Result<bool> HostFilePresent(const std::string& hostPath, const std::string& pathText);

// The whole regular file of at most maxBytes; see FileSystem::ReadFile.
Result<std::string> ReadHostFile(const std::string& hostPath, size_t maxBytes,
                                 const std::string& pathText);

// Whether a write waits until its bytes are on the disk.
enum class Durability { kFlushed, kCached };

// Creates hostPath new and exclusive, writes content and, kFlushed, flushes
// it to the disk. When a file of that name exists already, alreadyExists is
// set and nothing is touched.
Status WriteNewHostFile(const std::string& hostPath, std::string_view content,
                        const std::string& pathText, bool& alreadyExists,
                        Durability durability = Durability::kFlushed);

// Renames a regular file over another; see FileSystem::Rename. kFlushed, the
// rename itself reaches the disk before it returns where the host can say
// so per rename (Windows); kCached, the system writes it when it likes.
Status RenameHostFile(const std::string& fromHost, const std::string& toHost,
                      const std::string& fromText, const std::string& toText,
                      Durability durability = Durability::kFlushed);

// Puts the directory's entries on the disk; a failure names directoryText.
Status FlushHostDirectory(const std::string& hostDirectory, const std::string& directoryText);

// A name part no other process uses: the process id.
std::string ProcessTag();

}  // namespace cuffware
