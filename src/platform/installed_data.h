#pragma once
// Data that is installed with the programs (the demo's files), found from
// the program's own directory, so an installed tree works wherever it lies.

#include <string>

namespace cuffware {

// ProgramDirectory() joined with relativePath when that is a directory;
// else fallbackDir (the source tree's copy, for a program run from its build
// tree).
std::string InstalledDataDirectory(const std::string& relativePath, const std::string& fallbackDir);

}  // namespace cuffware
