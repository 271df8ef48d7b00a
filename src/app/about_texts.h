#pragma once
// The About box's texts.

#include <string>

namespace cuffware {

inline constexpr const char* kAboutDescription = "Creates build scripts for q740 cuffwares.";
inline constexpr const char* kAboutDisclaimer =
    "Copyright (c) 2002 Cuffware Builder developers. All rights reserved.";
inline constexpr const char* kSystemInfoCaption = "&System Info...";

// "Version " and the three numbers joined by ".".
std::string VersionLine(int major, int minor, int revision);

// The version line of this build.
std::string ProgramVersionLine();

}  // namespace cuffware
