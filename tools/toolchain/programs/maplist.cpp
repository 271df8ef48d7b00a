#include "toolchain/object/symbol_files.h"
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

std::vector<std::string> Outputs(const CommandLine& commandLine) {
    return {WithExtension(commandLine.inputs[0], ".sy")};
}

int WriteSymbolList(const CommandLine& commandLine, std::span<const std::string> outputs,
                    const ToolContext& context) {
    const std::string& map = commandLine.inputs[0];
    const std::string& symbolList = outputs[0];
    Result<std::string> text = ReadInput(context, map);
    if (!text)
        return Fail(context, text.error());
    Result<std::vector<GlobalSymbol>> symbols = MapSymbols(*text, map);
    if (!symbols)
        return Fail(context, symbols.error());
    if (Status written = WriteOutput(context, symbolList, FormatSymbolList(*symbols)); !written)
        return Fail(context, written.error());
    context.out << "maplist: " << map << " -> " << symbolList << ": " << symbols->size()
                << " symbols\n";
    return 0;
}

}  // namespace

int RunMaplist(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, WriteSymbolList);
}

}  // namespace cuffware::toolchain
