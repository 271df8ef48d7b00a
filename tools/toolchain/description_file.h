#pragma once
// The processor description file that lk88 and lc88 are given with -d. The
// stand-ins read nothing from it, but like the vendor's tools they insist on
// finding it: in the working directory, else in ../etc beside the program.

#include "platform/result.h"
#include "toolchain/command_line.h"
#include "toolchain/tool_context.h"

namespace cuffware::toolchain {

// The host path of the description file the -d option names.
Result<std::string> FindDescriptionFile(const ToolContext& context, const CommandLine& commandLine);

}  // namespace cuffware::toolchain
