#pragma once
// Command lines printed for the user to paste into the shell of this host:
// a POSIX shell off Windows, cmd.exe on it.

#include <string>

#include "app/command_line/headless.h"
#include "app/command_line/shell_quoting.h"

namespace cuffware {

// The shell a user of this host pastes into.
Shell HostShell();

// How a pasted command names one of our programs: by name alone where the
// shell finds this very program by it (an installed Linux tree on PATH),
// else by its path beside this one (a build of the source tree, Windows,
// where the installer puts nothing on PATH).
std::string ProgramToPaste(const std::string& name);

// True when our program name lies beside this one (it was built or
// installed with it).
bool ProgramBesideThis(const std::string& name);

// The words before a pasted command that give it the Wine prefix this run
// was given: off Windows "WINEPREFIX=DIR", quoted, when the environment
// names one; else empty. Empty on Windows.
std::string WinePrefixToPaste();

// "WINEPREFIX=DIR", quoted for a POSIX shell.
std::string WinePrefixAssignment(const std::string& prefix);

// "cuffware [--settings FILE] COMMAND OPERAND" to go on from this run: the
// same settings file, quoted for the host's shell, after the context's
// prefix (else WinePrefixToPaste).
std::string NextCuffwareCommand(const HeadlessContext& context, const std::string& command,
                                const std::string& operand);

}  // namespace cuffware
