// The demo off Windows: a Wine prefix whose c: drive holds the SDK at
// c:\q740 and the toolchain at c:\c88, as the demo's own files name them.

#include "app/command_line/demo_command.h"
#include "app/command_line/next_command.h"
#include "platform/host_path.h"
#include "platform/host_tree.h"

namespace cuffware {

DemoPlace DemoPlaceIn(const std::string& root) {
    return {root, root + "/drive_c", "c:\\q740", "c:\\c88", root + "/builder.ini"};
}

Result<std::string> DefaultDemoDirectory() {
    return MakeTemporaryDirectory("cuffware-demo-");
}

Status PrepareDemoPlace(const DemoPlace& place) {
    return LinkWineDrive(place.root, 'c', place.driveRoot);
}

void WorkInDemoPlace(const DemoPlace& place, ProcessStarter& processes) {
    UseWinePrefix(place.root);
    processes.SetChildVariable("WINEPREFIX", place.root);
}

void LeaveDemoPlace(ProcessStarter& processes) {
    UseWinePrefix("");
    processes.RemoveChildVariable("WINEPREFIX");
}

std::string DemoCommandPrefix(const DemoPlace& place) {
    return WinePrefixAssignment(place.root);
}

std::string HostProgramFile(const std::string& program) {
    return program;
}

}  // namespace cuffware
