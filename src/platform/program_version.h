#pragma once
// The one version every program of ours reports: the project's version from
// CMake, shown by the About box and by --version.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace cuffware {

// "Version MAJOR.MINOR.REVISION", each number in plain decimal.
std::string VersionLine(int major, int minor, int revision);

// The version line of this build.
std::string ProgramVersionLine();

// What `PROGRAM --version` prints: "PROGRAM: " and the application title,
// then the version line, each line ending in a newline.
std::string VersionText(std::string_view program);

// The arguments after the program name are exactly "--version".
bool AsksForVersion(const std::vector<std::string>& args);

// When the arguments ask for the version, prints VersionText(program) to out
// and returns true: the program is done.
bool PrintVersionIfAsked(const std::vector<std::string>& args, std::string_view program,
                         std::ostream& out);

}  // namespace cuffware
