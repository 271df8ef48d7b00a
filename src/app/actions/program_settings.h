#pragma once
// Which settings file a program of ours runs with, and what its --version
// says: the same for the window programs and the headless command.

#include <string>
#include <string_view>

namespace cuffware {

// The settings file of a run: the one --settings named, else the one the
// program's directory calls for.
std::string ChosenSettingsFile(const std::string& settingsOption);

// What --version prints for program: the version text, then which settings
// file is in use.
std::string VersionReport(std::string_view program, const std::string& settingsPath);

}  // namespace cuffware
