#include "package/code_image.h"

#include <cstdint>
#include <cstring>

#include "package/build_outputs.h"
#include "project/build_files.h"

namespace cuffware {

namespace {

constexpr char kFormat = 2;
constexpr char kCommonKind = 0;
constexpr char kStateKind = 1;

void Put16(std::string& buffer, size_t offset, size_t value) {
    buffer[offset] = static_cast<char>(value & 0xFF);
    buffer[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// The first section whose data would reach past the buffer's last usable
// offset, as a failure naming its file; nothing when all of them fit.
Status CheckFits(const std::vector<SRecordData>& sections) {
    size_t used = kCodeImageHeaderSize + 2 * sections.size();
    const SRecordData* overflowing = nullptr;
    for (const SRecordData& section : sections) {
        used += kSectionHeaderSize + section.bytes.size();
        if (used > kCodeImageMaxSize && !overflowing)
            overflowing = &section;
    }
    if (!overflowing)
        return Status::Ok();
    return Diagnostic{overflowing->path, 0,
                      "the code image would take " + std::to_string(used) +
                          " bytes, more than the " + std::to_string(kCodeImageMaxSize) +
                          " it can hold"};
}

}  // namespace

Result<std::string> ComposeCodeImage(const std::vector<SRecordData>& sections) {
    if (Status fits = CheckFits(sections); !fits)
        return fits.error();

    std::string buffer(kCodeImageBufferSize, '\0');
    buffer[kFormatOffset] = kFormat;
    Put16(buffer, kSectionCountOffset, sections.size());
    size_t directory = kCodeImageHeaderSize;
    size_t p = kCodeImageHeaderSize + 2 * sections.size();
    for (size_t k = 0; k < sections.size(); ++k) {
        Put16(buffer, directory, p - kCodeImageHeaderSize);
        const size_t start = p;
        buffer[start + 2] = k == 0 ? kCommonKind : kStateKind;
        p = start + kSectionHeaderSize;
        const std::string& data = sections[k].bytes;
        if (!data.empty())
            std::memcpy(buffer.data() + p, data.data(), data.size());
        p += data.size();
        Put16(buffer, start, p - start);
        directory += 2;
    }
    Put16(buffer, kUsedSizeOffset, p);
    const size_t imageSize = (p + kCodeImageBlock - 1) / kCodeImageBlock * kCodeImageBlock;
    Put16(buffer, kImageSizeOffset, imageSize);
    buffer.resize(imageSize);
    return buffer;
}

Result<GeneratedFile> ComposeCodeImageFile(FileSystem& files, const ProjectRecord& project) {
    std::vector<SRecordData> sections;
    for (const std::string& path : CodeSectionFiles(project)) {
        Result<SRecordData> section = ReadSRecordData(files, path);
        if (!section)
            return section.error();
        sections.push_back(std::move(*section));
    }
    Result<std::string> image = ComposeCodeImage(sections);
    if (!image)
        return image.error();
    return GeneratedFile{ImagePath(project, kCodeImageKind), std::move(*image)};
}

}  // namespace cuffware
