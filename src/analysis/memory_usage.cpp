#include "analysis/memory_usage.h"

#include <algorithm>
#include <cstdint>

#include "package/code_image.h"
#include "platform/path_text.h"
#include "platform/text_rules.h"
#include "project/build_files.h"

namespace cuffware {

namespace {

constexpr size_t kHeaderBytesRead = 4;

// The image as the analysis reads it into its buffer: the first 4 bytes, then
// UsedSize further bytes; whatever lies past the file, the bytes read or the
// buffer counts as 0.
class ReadBuffer {
  public:
    explicit ReadBuffer(std::string_view image)
        : image_(image), limit_(std::min(image.size(), kHeaderBytesRead)) {
        const size_t usedSize = Word(kUsedSizeOffset);
        limit_ = std::min({image.size(), kHeaderBytesRead + usedSize, kAnalysisBufferSize});
    }

    int Byte(size_t position) const {
        return position < limit_ ? static_cast<uint8_t>(image_[position]) : 0;
    }

    int Word(size_t position) const { return Byte(position) | Byte(position + 1) << 8; }

  private:
    std::string_view image_;
    size_t limit_;
};

int SectionUsage(const ReadBuffer& buffer, size_t sectionPosition) {
    return buffer.Word(sectionPosition) - static_cast<int>(kSectionHeaderSize);
}

}  // namespace

MemoryUsageReport MeasureCodeImage(std::string_view image) {
    const ReadBuffer buffer(image);
    MemoryUsageReport report;
    const int sectionCount = std::min(buffer.Word(kSectionCountOffset), kMaxAnalyzedSections);
    report.ImageSize = buffer.Word(kImageSizeOffset);
    report.UsedSize = buffer.Word(kUsedSizeOffset);

    // The common section is taken to start right after the offset table.
    report.CommonUsage = SectionUsage(buffer, kCodeImageHeaderSize + 2 * sectionCount);
    for (int i = 0; i + 1 < sectionCount; ++i) {
        const size_t offset = static_cast<size_t>(buffer.Word(kCodeImageHeaderSize + 2 * (i + 1)));
        const int usage = SectionUsage(buffer, offset + kCodeImageHeaderSize);
        report.StateUsage.push_back(usage);
        report.MaxStateUsage = std::max(report.MaxStateUsage, usage);
    }
    report.MaxOverlayUsage = report.CommonUsage + report.MaxStateUsage;
    report.OverlayExceeded = report.MaxOverlayUsage > kFirmwareOverlaySize;
    return report;
}

std::string CodeImagePathForAnalysis(const std::string& folderName,
                                     const std::string& buildDirectory,
                                     const std::string& versionRequired) {
    return JoinPath(Trimmed(buildDirectory),
                    ImageFileName(Trimmed(folderName), kCodeImageKind, Ver3(versionRequired)));
}

Result<MemoryUsageReport> AnalyzeCodeImage(FileSystem& fs, const std::string& folderName,
                                           const std::string& buildDirectory,
                                           const std::string& versionRequired) {
    const std::string path = CodeImagePathForAnalysis(folderName, buildDirectory, versionRequired);
    Result<bool> present = fs.Present(path);
    if (!present)
        return present.error();
    if (!*present)
        return Diagnostic{path, 0, kCodeImageNotFound};
    Result<std::string> image = fs.ReadFile(path, kMaxCodeImageBytes);
    if (!image)
        return image.error();
    MemoryUsageReport report = MeasureCodeImage(*image);
    report.FileName = ImageFileName(Trimmed(folderName), kCodeImageKind, Ver3(versionRequired));
    return report;
}

}  // namespace cuffware
