#pragma once
// The parameter image: the 28 bytes of the parameter section, with the code
// image's length at offsets 9 (low byte) and 10 (high byte).

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/result.h"
#include "project/build_files.h"
#include "project/project_record.h"
#include "toolchain/object/srecord_reader.h"

namespace cuffware {

// The parameter data is gathered in 31 bytes of which the first 28 are
// written; bytes 28 to 30 are accepted and dropped.
inline constexpr size_t kParameterBufferSize = 31;
inline constexpr size_t kParameterImageSize = 28;
inline constexpr size_t kCodeImageLengthOffset = 9;

// The 28-byte image. Fails, naming the parameter S-record file, when its data
// exceeds the 31-byte buffer.
Result<std::string> ComposeParameterImage(const SRecordData& parameters, uint32_t codeImageLength);

// Reads BuildDir + "\param.sre" and composes the image with the length of the
// code image built just before: the file to write at ImagePath(project, "par").
Result<GeneratedFile> ComposeParameterImageFile(FileSystem& files, const ProjectRecord& project,
                                                uint32_t codeImageLength);

}  // namespace cuffware
