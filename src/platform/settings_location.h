#pragma once
// Where builder.ini lives when no --settings names it. Beside the program
// when that directory already holds it, or when it may be written and is no
// system program directory; else in the user's own settings directory, so a
// program installed where users cannot (or should not) write still keeps its
// settings.

#include <string>

namespace cuffware {

// The settings file fileName for a program in programDir, as a host path.
// When it is the user's file, its directory is created here if missing (a
// failure shows later, when the file cannot be created).
std::string SettingsFileFor(const std::string& programDir, const std::string& fileName);

// The user's settings directory for the builder: $XDG_CONFIG_HOME/cuffware
// (an absolute XDG_CONFIG_HOME only), else ~/.config/cuffware; on Windows
// %APPDATA%\Cuffware.
std::string UserSettingsDirectory();

// The directory may be written and is no system program directory: none
// below /usr on Linux, none below Program Files on Windows, where a program
// is installed for every user and changed only by its package.
bool MayKeepSettingsIn(const std::string& dir);

}  // namespace cuffware
