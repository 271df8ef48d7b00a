#pragma once
// The code image: the common section and every state section, back to back
// behind a small header and a section directory.
//
//   0  ImageSize      UsedSize rounded up to a multiple of 64
//   2  UsedSize       offset just past the last data byte
//   4  format byte    2
//   5  SectionCount   1 + the number of state sections
//   7  SectionOffset  one per section: its header's offset minus 7
//      sections       SectionLength (3 + data bytes), SectionKind (0 common,
//                     1 state), then the data
//
// Sixteen-bit fields are little-endian and hold the low 16 bits of their value.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/result.h"
#include "project/build_files.h"
#include "project/project_record.h"
#include "toolchain/object/srecord_reader.h"

namespace cuffware {

// The image is assembled in a buffer of 32,769 bytes; it can be written while
// UsedSize, and so ImageSize, is at most 32,768.
inline constexpr size_t kCodeImageBufferSize = 32769;
inline constexpr size_t kCodeImageMaxSize = 32768;
inline constexpr size_t kCodeImageBlock = 64;
inline constexpr size_t kCodeImageHeaderSize = 7;  // where the directory starts

// Where the header's fields lie.
inline constexpr size_t kImageSizeOffset = 0;
inline constexpr size_t kUsedSizeOffset = 2;
inline constexpr size_t kFormatOffset = 4;
inline constexpr size_t kSectionCountOffset = 5;
inline constexpr size_t kSectionHeaderSize = 3;

// The image of the sections, the common section first. Fails, naming the
// S-record file of the section that would not fit, when the image would need
// more than 32,768 bytes.
Result<std::string> ComposeCodeImage(const std::vector<SRecordData>& sections);

// Reads the code section files (CodeSectionFiles) and composes the image:
// the file to write at ImagePath(project, "code"). A section file that cannot
// be read fails with its diagnostic.
Result<GeneratedFile> ComposeCodeImageFile(FileSystem& files, const ProjectRecord& project);

}  // namespace cuffware
