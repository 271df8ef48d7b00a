#include "toolchain/programs/symbol_conversion.h"
#include "toolchain/programs/tool_help.h"
#include "toolchain/programs/tools.h"

namespace cuffware::toolchain {

namespace {

constexpr ToolDescription kTool{
    "maplist",
    "the SDK's map lister, for our toolchain for the S1C88 core",
    "maplist NAME.map",
    "The SDK's map lister: reads the locate map lc88 wrote and writes\n"
    "NAME.sy, the section's global symbols, one \"NAME HEXVALUE\" a line, for\n"
    "labelset. On an error prints FILE:LINE: error: reason and writes nothing.\n",
    {},
};

constexpr SymbolConversion kSymbolList{kTool.name, ".sy", MapSymbols, FormatSymbolList, "symbols"};

std::vector<std::string> Outputs(const CommandLine& commandLine) {
    return {ConvertedName(kSymbolList, commandLine.inputs[0])};
}

int WriteSymbolList(const CommandLine& commandLine, std::span<const std::string> outputs,
                    const ToolContext& context) {
    return ConvertSymbols(kSymbolList, commandLine.inputs[0], outputs[0], context);
}

}  // namespace

int RunMaplist(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, WriteSymbolList);
}

}  // namespace cuffware::toolchain
