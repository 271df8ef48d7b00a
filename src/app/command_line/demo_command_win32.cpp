#include "app/command_line/demo_command.h"

namespace cuffware {

// Windows has no Wine drive to lay out: there the SDK and the toolchain are
// installed at c:\q740 and c:\c88 and the build runs on them directly.
int RunDemo(HeadlessContext& context, const std::string&, int (*)(HeadlessContext&)) {
    context.err << "The demo lays out a Wine drive and runs off Windows only. On Windows, "
                   "install the SDK at c:\\q740 and the toolchain at c:\\c88 and run: "
                   "cuffware all c:\\q740\\app\\demo\\build\\demo.scr\n";
    return kExitFailure;
}

}  // namespace cuffware
