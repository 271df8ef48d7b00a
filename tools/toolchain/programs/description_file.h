#pragma once
// The processor description file that lk88 and lc88 may be given with -d.
// The tools know the processor, so the option is not needed; a description
// file given is looked for in the working directory, else in ../etc beside
// the program, read, and must name an S1C88 core ("cpu S1C88349").

#include "platform/result.h"
#include "toolchain/programs/command_line.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

// Ok without -d; else the file -d names must be found and describe an S1C88.
Status CheckDescriptionFile(const ToolContext& context, const CommandLine& commandLine);

// Whether a description file's text names an S1C88 core on a "cpu" line.
bool DescribesS1C88(std::string_view text);

}  // namespace cuffware::toolchain
