#include <cstdlib>

#include "app/command_line/next_command.h"

namespace cuffware {

Shell HostShell() {
    return Shell::kPosix;
}

std::string WinePrefixToPaste() {
    const char* prefix = std::getenv("WINEPREFIX");
    return prefix && *prefix ? WinePrefixAssignment(prefix) : std::string();
}

}  // namespace cuffware
