#pragma once
// Whether a package is complete: the images an application descriptor names,
// found beside it, and their shapes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "downloader/app_descriptor.h"
#include "platform/result.h"

namespace cuffware::downloader {

inline constexpr size_t kParameterImageSize = 28;
inline constexpr size_t kCodeImageBlock = 64;
// An image's size fields are 16 bits; anything longer is refused unread.
inline constexpr size_t kMaxImageBytes = 64 << 10;

// What is wrong with a parameter image, or nothing: it is 28 bytes.
std::optional<std::string> ParameterImageProblem(std::string_view image);

// What is wrong with a code image, or nothing: its length equals its
// ImageSize field (the first two bytes, little-endian) and is a multiple
// of 64.
std::optional<std::string> CodeImageProblem(std::string_view image);

// The code image size the parameter image carries (bytes 9 and 10,
// little-endian) disagreeing with the code image's length, or nothing.
std::optional<std::string> ImageSizeMismatch(std::string_view parameterImage,
                                             std::string_view codeImage);

struct PackageImage {
    std::string key;  // "PAR", "CODE", "DB"
    std::string name;
    size_t size = 0;
};

struct PackageReport {
    std::vector<PackageImage> images;  // those found, in descriptor order
    std::vector<Diagnostic> problems;  // each with the file and the reason
    bool Complete() const { return problems.empty(); }
};

// Reads the images that descriptor names from descriptorDirectory (a host
// path), file names matched without regard to case, and checks them.
PackageReport CheckPackage(const AppDescriptor& descriptor, const std::string& descriptorDirectory);

}  // namespace cuffware::downloader
