// S-record texts as a broken build may leave them, packed into the code and
// parameter images. The input is up to five texts separated by lines "%%":
// param.sre first, then the common section and up to three state sections
// (the single text of an input without "%%" serves as both). Every image is
// read back by the memory usage analysis, which must find the sections'
// sizes where the packaging put them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/memory_usage.h"
#include "fuzz_check.h"
#include "package/code_image.h"
#include "package/parameter_image.h"

namespace cuffware::fuzz {
namespace {

std::vector<std::string_view> Parts(std::string_view text) {
    constexpr std::string_view kSeparator = "\n%%\n";
    std::vector<std::string_view> parts;
    while (parts.size() < 4) {
        const size_t at = text.find(kSeparator);
        if (at == std::string_view::npos)
            break;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + kSeparator.size());
    }
    parts.push_back(text);
    return parts;
}

void CheckCodeImage(const std::vector<SRecordData>& sections) {
    Result<std::string> image = ComposeCodeImage(sections);
    size_t used = kCodeImageHeaderSize + 2 * sections.size();
    for (const SRecordData& section : sections)
        used += kSectionHeaderSize + section.bytes.size();
    if (!image) {
        Check(used > kCodeImageMaxSize, "only an image over 32,768 bytes is refused");
        return;
    }
    Check(used <= kCodeImageMaxSize, "an image over 32,768 bytes is refused");
    Check(image->size() % kCodeImageBlock == 0 && image->size() >= used &&
              image->size() < used + kCodeImageBlock,
          "the image is UsedSize padded to whole blocks");

    const MemoryUsageReport report = MeasureCodeImage(*image);
    Check(report.ImageSize == static_cast<int>(image->size()), "ImageSize read back");
    Check(report.UsedSize == static_cast<int>(used), "UsedSize read back");
    Check(report.CommonUsage == static_cast<int>(sections[0].bytes.size()),
          "the common section's size read back");
    Check(report.StateUsage.size() + 1 == sections.size(), "one usage per state section");
    for (size_t k = 1; k < sections.size(); ++k)
        Check(report.StateUsage[k - 1] == static_cast<int>(sections[k].bytes.size()),
              "each state section's size read back");
}

void CheckParameterImage(const SRecordData& parameters, uint32_t codeImageLength) {
    Result<std::string> image = ComposeParameterImage(parameters, codeImageLength);
    const std::string& bytes = parameters.bytes;
    if (!image) {
        Check(bytes.size() > kParameterBufferSize, "only over 31 bytes is refused");
        return;
    }
    Check(image->size() == kParameterImageSize, "the parameter image is 28 bytes");
    for (size_t i = 0; i < kParameterImageSize; ++i) {
        if (i == kCodeImageLengthOffset || i == kCodeImageLengthOffset + 1)
            continue;
        const char expected = i < bytes.size() ? bytes[i] : '\0';
        Check((*image)[i] == expected, "the data bytes, then zeros");
    }
    Check(static_cast<uint8_t>((*image)[kCodeImageLengthOffset]) == (codeImageLength & 0xFF) &&
              static_cast<uint8_t>((*image)[kCodeImageLengthOffset + 1]) ==
                  (codeImageLength >> 8 & 0xFF),
          "the code image length at 9 and 10");
}

}  // namespace
}  // namespace cuffware::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::fuzz;
    const std::vector<std::string_view> parts = Parts(Text(data, size));

    std::vector<SRecordData> sections;
    for (size_t k = parts.size() > 1 ? 1 : 0; k < parts.size(); ++k) {
        (void)CheckSRecordAddresses(parts[k], "section");
        sections.push_back({"section" + std::to_string(k), S2DataBytes(parts[k])});
    }
    CheckCodeImage(sections);

    const SRecordData parameters{"param.sre", S2DataBytes(parts[0])};
    CheckParameterImage(parameters, static_cast<uint32_t>(size));
    return 0;
}
