#include "toolchain/programs/tool_help.h"

#include "toolchain/programs/output_guard.h"

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
        context.err << "command line: error: expected one or more input files\nUsage: "
                    << tool.usage << "\n";
        return 1;
    }
    if (!tool.manyInputs && commandLine.inputs.size() != 1) {
        context.err << "command line: error: expected one input file\nUsage: " << tool.usage
                    << "\n";
        return 1;
    }
    return std::nullopt;
}

int RunTool(const ToolDescription& tool, std::span<const std::string> args,
            const ToolContext& context, OutputNames outputsOf, ToolWork work) {
    CommandLine commandLine = SplitCommandLine(args, tool.outputOption);
    if (std::optional<int> done = Open(tool, commandLine, context))
        return *done;
    const std::vector<std::string> outputs = outputsOf(commandLine);
    if (Status distinct = RefuseInputsAsOutputs(context, commandLine.inputs, outputs); !distinct)
        return Fail(context, distinct.error());
    for (const std::string& output : outputs)
        RemoveOutput(context, output);
    if (Status read = ReadOptions(context, commandLine, tool.options); !read)
        return Fail(context, read.error());
    return work(commandLine, outputs, context);
}

}  // namespace cuffware::toolchain
