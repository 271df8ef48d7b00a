#pragma once
// The names of the package's files in the build directory.

#include <string>
#include <string_view>

#include "project/project_record.h"

namespace cuffware {

// folder + "_" + kind + "_" + ver3 + ".bin", with kind "code", "par" or
// "dbase"; the folder name as the caller gives it.
std::string ImageFileName(std::string_view folder, std::string_view kind, std::string_view ver3);

// Build directory + "\" + the image's name with the folder name in lower
// case, as the images are written.
std::string ImagePath(const ProjectRecord& project, std::string_view kind);

}  // namespace cuffware
