#pragma once
// The names of the package's files in the build directory.

#include <string>
#include <string_view>
#include <vector>

#include "project/project_record.h"

namespace cuffware {

// folder + "_" + kind + "_" + ver3 + ".bin", with kind "code", "par" or
// "dbase"; the folder name as the caller gives it.
std::string ImageFileName(std::string_view folder, std::string_view kind, std::string_view ver3);

// Build directory + "\" + the image's name with the folder name in lower
// case, as the images are written.
std::string ImagePath(const ProjectRecord& project, std::string_view kind);

// Build directory + "\" + the folder name + ".txt".
std::string DescriptionPath(const ProjectRecord& project);

// The package's three files: code image, parameter image, description.
std::vector<std::string> PackagePaths(const ProjectRecord& project);

}  // namespace cuffware
