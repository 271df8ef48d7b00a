#pragma once
// How much of the watch's code overlay a built application takes: read back
// from its code image, section by section.

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/result.h"

namespace cuffware {

inline constexpr int kFirmwareOverlaySize = 900;

struct MemoryUsageReport {
    std::string FileName;  // FolderName + "_code_" + Ver3 + ".bin", no directory
    int ImageSize = 0;
    int UsedSize = 0;
    int CommonUsage = 0;
    std::vector<int> StateUsage;  // StateUsage[i] is state i's code bytes
    int MaxStateUsage = 0;
    int MaxOverlayUsage = 0;
    bool OverlayExceeded = false;  // MaxOverlayUsage above kFirmwareOverlaySize
};

// BuildDirectory + "\" + FolderName + "_code_" + Ver3 + ".bin", each trimmed.
std::string CodeImagePathForAnalysis(const std::string& folderName,
                                     const std::string& buildDirectory,
                                     const std::string& versionRequired);

// Reads the code image and measures it. A missing or unreadable image fails
// with its full path as the diagnostic's path.
Result<MemoryUsageReport> AnalyzeCodeImage(FileSystem& fs, const std::string& folderName,
                                           const std::string& buildDirectory,
                                           const std::string& versionRequired);

}  // namespace cuffware
