#pragma once
// The demo: a Wine-style drive with the demo SDK at c:\q740, the stand-in
// toolchain at c:\c88 and the demo application's sources, laid out under one
// directory, then every step from generating to downloading run on it.

#include <string>

#include "app/command_line/headless.h"

namespace cuffware {

// Where the demo's parts come from: the repository's demo/ folder and the
// directory holding the stand-in programs.
struct DemoSources {
    std::string demoDir;
    std::string programDir;
};

// The demo's files ($CUFFWARE_DEMO_DIR, else those installed with the
// program, else the source tree's demo/ folder) and the program's own
// directory.
DemoSources DefaultDemoSources();

// The demo applications a layout holds: folder name and script path text.
struct DemoApplication {
    std::string folder;
    std::string scriptPath;  // c:\q740\app\<folder>\build\<folder>.scr
};
std::vector<DemoApplication> DemoApplications();

// Lays the demo out under dir: dosdevices/c: -> drive_c, the SDK, the
// toolchain, the applications' sources and scripts, and builder.ini in dir.
Status LayOutDemo(const DemoSources& sources, const std::string& dir);

// Lays the demo out under dir (a new temporary directory when empty), points
// WINEPREFIX at it, loads its builder.ini, restores the demo's script and
// runs steps (generate to analyze), then the downloader. Returns the steps' status, or the
// downloader's when that fails.
int RunDemo(HeadlessContext& context, const std::string& dir, int (*steps)(HeadlessContext&));

}  // namespace cuffware
