#include "app/command_line/next_command.h"

namespace cuffware {

Shell HostShell() {
    return Shell::kPosix;
}

std::string ProgramToPaste(const std::string& name) {
    return name;
}

}  // namespace cuffware
