#pragma once
// What each tool says about itself, and the run every one of them shares:
// --help, exactly one input file (or one or more), its outputs checked and
// cleared, its option files read; then the tool's own part.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolchain/programs/command_line.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

struct ToolDescription {
    std::string_view name;
    std::string_view role;  // "the assembler of our toolchain for the S1C88 core"
    std::string_view usage;
    std::string_view models;  // what it does, a few lines
    std::span<const OptionRule> options;
    bool manyInputs = false;    // takes one or more input files, not exactly one
    bool outputOption = false;  // takes -o NAME
};

// The exit status when the run ends here (help shown, or not exactly one
// input), or nullopt when the tool goes on with commandLine.inputs.
std::optional<int> Open(const ToolDescription& tool, const CommandLine& commandLine,
                        const ToolContext& context);

// The files a run writes, named from its command line (none for a tool that
// prints what it makes).
using OutputNames = std::vector<std::string> (*)(const CommandLine& commandLine);

// The tool's own part, given the command line with its option files read
// and the outputs in the order OutputNames gave them; returns the exit
// status.
using ToolWork = int (*)(const CommandLine& commandLine, std::span<const std::string> outputs,
                         const ToolContext& context);

// The run every tool shares: the arguments split, Open, the outputs refused
// when one of them is an input and else removed (what an earlier run left),
// the option files read, then work.
int RunTool(const ToolDescription& tool, std::span<const std::string> args,
            const ToolContext& context, OutputNames outputsOf, ToolWork work);

}  // namespace cuffware::toolchain
