#pragma once
// What each tool says about itself, and the opening every one of them
// shares: --help, then exactly one input file (or one or more).

#include <optional>
#include <span>
#include <string_view>

#include "toolchain/programs/command_line.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

struct ToolDescription {
    std::string_view name;
    std::string_view role;  // "the assembler of our toolchain for the S1C88 core"
    std::string_view usage;
    std::string_view models;  // what it does, a few lines
    std::span<const OptionRule> options;
    bool manyInputs = false;  // takes one or more input files, not exactly one
};

// The exit status when the run ends here (help shown, or not exactly one
// input), or nullopt when the tool goes on with commandLine.inputs.
std::optional<int> Open(const ToolDescription& tool, const CommandLine& commandLine,
                        const ToolContext& context);

}  // namespace cuffware::toolchain
