#pragma once
// The sim88 program: runs a routine of a located program in the simulator
// and prints how it stopped (see docs/simulator.md).

#include <span>
#include <string>

#include "toolchain/programs/tool_context.h"

namespace cuffware::simulator {

// sim88 FILE [options]: the exit status is 0 when the routine returned (or
// stopped at a breakpoint), 1 for any other stop or a bad command line.
int RunSim88(std::span<const std::string> args, const toolchain::ToolContext& context);

}  // namespace cuffware::simulator
