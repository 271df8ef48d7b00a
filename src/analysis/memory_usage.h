#pragma once
// How much of the watch's code overlay a built application takes: read back
// from its code image, section by section.

#include <cstddef>
#include <string>
#include <string_view>
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

// The read buffer: positions 0 to 32,768. A damaged image is read as far as
// it fits: bytes beyond the buffer, beyond the file's end or beyond 4 +
// UsedSize read as 0, and a SectionCount above 255 counts as 255.
inline constexpr size_t kAnalysisBufferSize = 32769;
inline constexpr int kMaxAnalyzedSections = 255;

// The failure's message when the image cannot be opened.
inline constexpr const char* kCodeImageNotFound = "not found.";

// The most of a code image the analysis reads: its size fields are 16 bits.
inline constexpr size_t kMaxCodeImageBytes = 64 << 10;

// Measures a code image's bytes; every field except FileName.
MemoryUsageReport MeasureCodeImage(std::string_view image);

// BuildDirectory + "\" + FolderName + "_code_" + Ver3 + ".bin", each trimmed.
std::string CodeImagePathForAnalysis(const std::string& folderName,
                                     const std::string& buildDirectory,
                                     const std::string& versionRequired);

// Reads the code image and measures it. A missing image fails with its full
// path as the diagnostic's path and kCodeImageNotFound; one that is there
// but refused (not a regular file, over kMaxCodeImageBytes) with the reason.
Result<MemoryUsageReport> AnalyzeCodeImage(FileSystem& fs, const std::string& folderName,
                                           const std::string& buildDirectory,
                                           const std::string& versionRequired);

}  // namespace cuffware
