#pragma once

#include <string>
#include <vector>

#include "platform/process.h"

namespace cuffware {

// Starts real processes on this host. Off Windows a batch file is run by the
// batch runner (cuffware-batch) that is installed beside the program.
ProcessStarter& HostProcesses();

// The words of a command line as the builder writes them: split at blanks,
// no quoting (the builder adds none).
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace cuffware
