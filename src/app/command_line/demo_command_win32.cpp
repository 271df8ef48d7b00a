// The demo on Windows: the SDK and the toolchain are folders of the demo's
// directory, and its settings and scripts name them there.

#include <cstdlib>

#include "app/command_line/demo_command.h"
#include "platform/host_tree.h"

namespace cuffware {

DemoPlace DemoPlaceIn(const std::string& root) {
    return {root, root, root + "\\q740", root + "\\c88", root + "\\builder.ini"};
}

// "Demo", or the first of "Demo 2", "Demo 3" ... that is new or empty, so
// that a second demo leaves the first one as its user left it.
Result<std::string> DefaultDemoDirectory() {
    const char* localData = std::getenv("LOCALAPPDATA");
    if (!localData || !*localData)
        return MakeTemporaryDirectory("cuffware-demo-");
    std::string base = std::string(localData) + "\\Cuffware\\Demo";
    for (int number = 1; number < 100; ++number) {
        std::string candidate = number == 1 ? base : base + " " + std::to_string(number);
        if (RequireEmptyDirectory(candidate).ok())
            return candidate;
    }
    return Diagnostic{base, 0, "and 98 more demo directories exist; name one: cuffware demo DIR"};
}

Status PrepareDemoPlace(const DemoPlace&) {
    return Status::Ok();
}

// Windows programs find the demo's folders by their own names.
void WorkInDemoPlace(const DemoPlace&, ProcessStarter&) {}
void LeaveDemoPlace(ProcessStarter&) {}

std::string DemoCommandPrefix(const DemoPlace&) {
    return {};
}

std::string HostProgramFile(const std::string& program) {
    return program + ".exe";
}

}  // namespace cuffware
