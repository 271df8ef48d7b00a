#include "downloader/package_check.h"

#include "platform/file_system.h"
#include "platform/host_path.h"

namespace cuffware::downloader {

namespace {

size_t Word16(std::string_view bytes, size_t offset) {
    return static_cast<unsigned char>(bytes[offset]) |
           static_cast<size_t>(static_cast<unsigned char>(bytes[offset + 1])) << 8;
}

std::string Bytes(size_t count) {
    return std::to_string(count) + " bytes";
}

// One named image read from the package's directory; nothing when it is not
// named (optional) or cannot be read, which goes into the report.
std::optional<std::string> ReadImage(const std::string& key, const std::string& name, bool required,
                                     const std::string& directory, PackageReport& report) {
    if (name.empty()) {
        if (required)
            report.problems.push_back({key + "=", 0, "the descriptor names no image"});
        return std::nullopt;
    }
    std::string path = ResolveCase(directory + "/" + name);
    Result<std::string> image = DiskFileSystem().ReadFile(path, kMaxImageBytes);
    if (!image) {
        report.problems.push_back({path, 0, "not found beside the descriptor"});
        return std::nullopt;
    }
    report.images.push_back({key, name, image->size()});
    return *image;
}

void Check(const std::optional<std::string>& image, const std::string& name,
           std::optional<std::string> (*problemOf)(std::string_view), PackageReport& report) {
    if (!image)
        return;
    if (std::optional<std::string> problem = problemOf(*image))
        report.problems.push_back({name, 0, *problem});
}

}  // namespace

std::optional<std::string> ParameterImageProblem(std::string_view image) {
    if (image.size() != kParameterImageSize)
        return "is " + Bytes(image.size()) + " long; a parameter image is " +
               Bytes(kParameterImageSize);
    return std::nullopt;
}

std::optional<std::string> CodeImageProblem(std::string_view image) {
    if (image.size() < 2)
        return "is " + Bytes(image.size()) + " long, too short for its ImageSize field";
    if (size_t imageSize = Word16(image, 0); imageSize != image.size())
        return "is " + Bytes(image.size()) + " long, but its ImageSize field says " +
               std::to_string(imageSize);
    if (image.size() % kCodeImageBlock != 0)
        return "is " + Bytes(image.size()) + " long, not a multiple of " +
               std::to_string(kCodeImageBlock);
    return std::nullopt;
}

std::optional<std::string> ImageSizeMismatch(std::string_view parameterImage,
                                             std::string_view codeImage) {
    size_t carried = Word16(parameterImage, 9);
    if (carried != codeImage.size())
        return "carries the code image size " + std::to_string(carried) +
               ", but the code image is " + Bytes(codeImage.size());
    return std::nullopt;
}

PackageReport CheckPackage(const AppDescriptor& descriptor, const std::string& directory) {
    PackageReport report;
    std::optional<std::string> parameters =
        ReadImage("PAR", descriptor.ParameterImage, true, directory, report);
    std::optional<std::string> code =
        ReadImage("CODE", descriptor.CodeImage, true, directory, report);
    ReadImage("DB", descriptor.DatabaseImage, false, directory, report);

    Check(parameters, descriptor.ParameterImage, ParameterImageProblem, report);
    Check(code, descriptor.CodeImage, CodeImageProblem, report);
    // Only two well-formed images can be compared.
    if (report.Complete()) {
        if (std::optional<std::string> mismatch = ImageSizeMismatch(*parameters, *code))
            report.problems.push_back({descriptor.ParameterImage, 0, *mismatch});
    }
    return report;
}

}  // namespace cuffware::downloader
