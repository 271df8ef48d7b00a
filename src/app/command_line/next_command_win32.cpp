#include "app/command_line/next_command.h"
#include "platform/program_directory.h"

namespace cuffware {

Shell HostShell() {
    return Shell::kCmd;
}

// The installer puts nothing on PATH.
std::string ProgramToPaste(const std::string& name) {
    return InProgramDirectory(name + ".exe");
}

}  // namespace cuffware
