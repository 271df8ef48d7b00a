#include "toolchain/programs/tool_help.h"

namespace cuffware::toolchain {

std::optional<int> Open(const ToolDescription& tool, const CommandLine& commandLine,
                        const ToolContext& context) {
    if (commandLine.help) {
        context.out << tool.name << ": " << tool.role << ", part of the Cuffware Builder.\n"
                    << "Usage: " << tool.usage << "\n"
                    << tool.models;
        if (!tool.options.empty())
            context.out << "Options (accepted on the command line or in an -f option file):\n"
                        << DescribeOptions(tool.options);
        return 0;
    }
    if (tool.manyInputs && commandLine.inputs.empty()) {
        context.err << "command line: expected one or more input files\nUsage: " << tool.usage
                    << "\n";
        return 1;
    }
    if (!tool.manyInputs && commandLine.inputs.size() != 1) {
        context.err << "command line: expected one input file\nUsage: " << tool.usage << "\n";
        return 1;
    }
    return std::nullopt;
}

}  // namespace cuffware::toolchain
