#include "app/command_line/next_command.h"

namespace cuffware {

Shell HostShell() {
    return Shell::kCmd;
}

std::string WinePrefixToPaste() {
    return {};
}

}  // namespace cuffware
