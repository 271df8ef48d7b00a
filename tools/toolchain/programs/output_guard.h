#pragma once
// A tool deletes what an earlier run left under its outputs' names before it
// starts, so it must first make sure that none of them is one of its inputs
// ("as88 keep.lst" would write keep.lst, "lk88 keep.obj -o keep.obj").

#include <span>
#include <string>

#include "platform/result.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

// Fails, naming the file, when an output is one of the inputs: the same
// text, or the same file on disk (another case of the name, another path).
Status RefuseInputsAsOutputs(const ToolContext& context, std::span<const std::string> inputs,
                             std::span<const std::string> outputs);

}  // namespace cuffware::toolchain
