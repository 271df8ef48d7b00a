#pragma once
// The description file (<folder>.txt): the application's name and
// description, a usage skeleton for the developer to complete by hand, and
// the list of the package's files.

#include <cstddef>
#include <string>
#include <string_view>

#include "project/build_files.h"
#include "project/project_record.h"

namespace cuffware {

inline constexpr size_t kFileLineNameWidth = 25;

// One line of the file list: a blank, name padded or cut to 25 characters and
// put in upper case, then text (which so begins in column 27).
std::string FileLine(std::string_view name, std::string_view text);

// Build directory + "\" + folder name (as typed) + ".txt".
GeneratedFile ComposeDescriptionFile(const ProjectRecord& project);

}  // namespace cuffware
