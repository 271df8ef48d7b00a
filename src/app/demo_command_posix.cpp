// The demo off Windows: a Wine prefix whose c: drive holds the SDK at
// c:\q740 and the toolchain at c:\c88, as the demo's own files name them.

#include "app/demo_command.h"
#include "app/shell_quoting.h"
#include "platform/host_tree.h"

namespace cuffware {

DemoPlace DemoPlaceIn(const std::string& root) {
    return {root, root + "/drive_c", "c:\\q740", "c:\\c88", root + "/builder.ini"};
}

Result<std::string> DefaultDemoDirectory() {
    return MakeTemporaryDirectory("cuffware-demo-");
}

Status PrepareDemoPlace(const DemoPlace& place) {
    if (Status linked = LinkWineDrive(place.root, 'c', place.driveRoot); !linked.ok())
        return linked;
    SetEnvironment("WINEPREFIX", place.root);
    return Status::Ok();
}

std::string DemoCommandPrefix(const DemoPlace& place) {
    return "WINEPREFIX=" + QuotedWord(place.root, Shell::kPosix);
}

std::string HostProgramFile(const std::string& program) {
    return program;
}

}  // namespace cuffware
