#pragma once
// cuffware doctor: what is wrong with the set-up before a build fails. One
// line per check, "ok" or "FAIL" first: the builder.ini in use, its two
// directories, the SDK's include and bin folders and its main header, each
// program the build and the downloader run, the processor description, and
// off Windows wine when those programs are Windows programs.

#include <string>
#include <vector>

#include "app/command_line/headless.h"

namespace cuffware {

struct DoctorLine {
    bool passed;
    std::string text;  // "WHAT: DETAIL"
};

// The checks for the loaded settings read from settingsPath.
std::vector<DoctorLine> CheckSetup(const ToolSettings& settings, const std::string& settingsPath);

// Prints the checks; exit status 0 only when every check passed.
int RunDoctor(HeadlessContext& context);

}  // namespace cuffware
