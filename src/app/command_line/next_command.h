#pragma once
// Command lines printed for the user to paste into the shell of this host:
// a POSIX shell off Windows, cmd.exe on it.

#include <string>

#include "app/command_line/headless.h"
#include "app/command_line/shell_quoting.h"

namespace cuffware {

// The shell a user of this host pastes into.
Shell HostShell();

// How a pasted command names one of our programs: by name where the
// installation puts it on PATH (Linux), else by its path beside this one.
std::string ProgramToPaste(const std::string& name);

// "cuffware [--settings FILE] COMMAND OPERAND" to go on from this run: the
// same settings file, quoted for the host's shell, after the context's prefix.
std::string NextCuffwareCommand(const HeadlessContext& context, const std::string& command,
                                const std::string& operand);

}  // namespace cuffware
