#pragma once

#include <string>

namespace cuffware {

// The directory of the running executable, as a host path without a
// trailing separator.
std::string ProgramDirectory();

// ProgramDirectory() joined with a file name by the host's separator.
std::string InProgramDirectory(const std::string& fileName);

}  // namespace cuffware
