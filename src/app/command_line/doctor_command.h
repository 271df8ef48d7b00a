#pragma once
// cuffware doctor: what is wrong with the set-up before a build fails. One
// line per check, "ok" or "FAIL" first: the builder.ini in use, its two
// directories, the SDK's include and bin folders and its main header, each
// program the build and the downloader run, the processor description, and
// off Windows wine when those programs are Windows programs. A failure says
// what to do; the last line says whether the set-up can build.

#include <string>
#include <vector>

#include "app/command_line/headless.h"

namespace cuffware {

struct DoctorLine {
    bool passed;
    std::string text;    // "WHAT: DETAIL"
    std::string remedy;  // what to do when it failed: where to set the path
};

// The checks for the loaded settings read from settingsPath.
std::vector<DoctorLine> CheckSetup(const ToolSettings& settings, const std::string& settingsPath);

// The last line: whether the set-up can build, and when not how many checks
// failed and demoCommand, the command line that shows the builder work first.
std::string DoctorVerdict(const std::vector<DoctorLine>& lines, const std::string& demoCommand);

// Prints the checks, each failure with what to do, and the verdict; exit
// status 0 only when every check passed.
int RunDoctor(HeadlessContext& context);

}  // namespace cuffware
