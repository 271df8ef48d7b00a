#pragma once
// The demo: the demo SDK, our toolchain and the demo applications
// laid out under one directory, with settings and builder scripts that name
// them there, then every step from generating to downloading run on it. Off Windows the directory
// becomes a Wine prefix whose c: drive holds c:\q740 and c:\c88; on Windows
// the SDK and the toolchain are folders of the directory itself.

#include <string>

#include "app/command_line/headless.h"

namespace cuffware {

// Where the demo's parts come from: the repository's demo/ folder and the
// directory holding the tools.
struct DemoSources {
    std::string demoDir;
    std::string programDir;
};

// The demo's files ($CUFFWARE_DEMO_DIR, else those installed with the
// program, else the source tree's demo/ folder) and the program's own
// directory.
DemoSources DefaultDemoSources();

// Where a layout puts the demo.
struct DemoPlace {
    std::string root;           // host path: the demo's directory
    std::string driveRoot;      // host path of the directory holding q740 and c88
    std::string sdkText;        // the SDK as the settings name it
    std::string toolchainText;  // the toolchain as the settings name it
    std::string settingsPath;   // host path of the demo's builder.ini
};

// The place of a demo in root (a host path), on this host.
DemoPlace DemoPlaceIn(const std::string& root);

// The demo applications a layout holds: folder name and script path text.
struct DemoApplication {
    std::string folder;
    std::string scriptPath;  // SDK\app\<folder>\build\<folder>.scr
};
std::vector<DemoApplication> DemoApplications(const std::string& sdkText);

// The text of one of the demo's settings or script files with its c:\q740
// and c:\c88 paths moved to where place puts the SDK and the toolchain.
std::string RelocatedDemoText(std::string text, const DemoPlace& place);

// Lays the demo out at place: the SDK, the toolchain, the
// programs, the applications' sources and scripts, and builder.ini, with
// the drive link a Wine prefix needs off Windows.
Status LayOutDemo(const DemoSources& sources, const DemoPlace& place, FileSystem& files);

// The lines printed after the steps: where everything is and the command
// line that opens the demo in the window, quoted for the host's shell.
std::string DemoSummary(const DemoPlace& place);

// Lays the demo out in dir (refused unless new or empty; when dir is empty,
// in a new directory of DefaultDemoDirectory), loads its builder.ini,
// restores the demo's script and runs steps (generate to analyze), then the
// downloader, then prints the summary. Returns the steps' status, or the
// downloader's when that fails.
int RunDemo(HeadlessContext& context, const std::string& dir, int (*steps)(HeadlessContext&));

// The host's side of the demo (demo_command_posix.cpp, demo_command_win32.cpp).

// A new directory for a demo when none is named: a temporary one off
// Windows, "Demo" (or "Demo 2" ...) under the user's local application data
// on Windows.
Result<std::string> DefaultDemoDirectory();

// What the place needs on disk: off Windows the c: link of the Wine prefix.
Status PrepareDemoPlace(const DemoPlace& place);

// From now on path texts and the programs processes starts find the demo's
// SDK and toolchain: off Windows the Wine prefix is the place's, for this
// program's path rule and as the started programs' WINEPREFIX. Leaving puts
// back the prefix the environment names.
void WorkInDemoPlace(const DemoPlace& place, ProcessStarter& processes);
void LeaveDemoPlace(ProcessStarter& processes);

// The words before a pasted command that make it work on the demo: off
// Windows WINEPREFIX=DIR, quoted; empty on Windows.
std::string DemoCommandPrefix(const DemoPlace& place);

// A tool's file name beside this program ("as88" or "as88.exe").
std::string HostProgramFile(const std::string& program);

}  // namespace cuffware
