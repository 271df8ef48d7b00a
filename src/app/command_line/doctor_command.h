#pragma once
// cuffware doctor: what is wrong with the set-up before a build fails. One
// line per check, "ok" or "FAIL" first: the builder.ini in use, its two
// directories, the SDK's include and bin folders and its main header, each
// program the build and the downloader run, the processor description, and
// off Windows wine when those programs are Windows programs. A failure says
// what to do, once for its cause: the checks that fail because one they need
// failed (everything in a missing SDK directory) follow it as one line. The
// last line says whether the set-up can build.

#include <string>
#include <vector>

#include "app/command_line/headless.h"

namespace cuffware {

struct DoctorLine {
    bool passed;
    std::string text;    // "WHAT: DETAIL"
    std::string remedy;  // what to do when it failed: where to set the path
    int needs = -1;      // the index of the check this one needs to pass, if any
};

// The checks for the loaded settings read from settingsPath.
std::vector<DoctorLine> CheckSetup(const ToolSettings& settings, const std::string& settingsPath);

// The last line: whether the set-up can build, and when not how many checks
// failed and demoCommand, the command line that shows the builder work first.
std::string DoctorVerdict(const std::vector<DoctorLine>& lines, const std::string& demoCommand);

// The checks as printed: "ok    TEXT" or "FAIL  TEXT" and "      what to do:
// REMEDY"; the failed checks that need a failed one are not printed on their
// own but after the cause as "      and so fail the N checks that need it:
// WHAT, WHAT, ..." (one: "      and so fails the check that needs it: WHAT").
std::string DoctorChecksText(const std::vector<DoctorLine>& lines);

// Prints the checks, each failure with what to do, and the verdict; exit
// status 0 only when every check passed.
int RunDoctor(HeadlessContext& context);

}  // namespace cuffware
