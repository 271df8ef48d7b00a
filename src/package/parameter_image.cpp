#include "package/parameter_image.h"

#include "project/build_files.h"

namespace cuffware {

Result<std::string> ComposeParameterImage(const SRecordData& parameters, uint32_t codeImageLength) {
    if (parameters.bytes.size() > kParameterBufferSize)
        return Diagnostic{parameters.path, 0,
                          std::to_string(parameters.bytes.size()) +
                              " parameter data bytes, more than the " +
                              std::to_string(kParameterBufferSize) + " the image can take"};
    std::string buffer(kParameterBufferSize, '\0');
    buffer.replace(0, parameters.bytes.size(), parameters.bytes);
    buffer[kCodeImageLengthOffset] = static_cast<char>(codeImageLength & 0xFF);
    buffer[kCodeImageLengthOffset + 1] = static_cast<char>((codeImageLength >> 8) & 0xFF);
    buffer.resize(kParameterImageSize);
    return buffer;
}

Result<GeneratedFile> ComposeParameterImageFile(FileSystem& files, const ProjectRecord& project,
                                                uint32_t codeImageLength) {
    Result<SRecordData> parameters =
        ReadSRecordData(files, BuildDirectoryFile(project, SRecordName(kParameterSection)));
    if (!parameters)
        return parameters.error();
    Result<std::string> image = ComposeParameterImage(*parameters, codeImageLength);
    if (!image)
        return image.error();
    return GeneratedFile{ImagePath(project, kParameterImageKind), std::move(*image)};
}

}  // namespace cuffware
