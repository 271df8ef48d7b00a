#include "toolchain/object/symbol_files.h"
#include "toolchain/programs/tool_help.h"
#include "toolchain/programs/tools.h"

namespace cuffware::toolchain {

namespace {

constexpr ToolDescription kTool{
    "labelset",
    "the SDK's label header maker, for our toolchain for the S1C88 core",
    "labelset NAME.sy",
    "The SDK's label header maker: reads the symbol list maplist wrote and\n"
    "writes NAME.equ, one assembler equate \"NAME equ 0xVALUE\" per global label\n"
    "(CommonCodeEnd among them for the common section); the build copies it to\n"
    "comminc.h for the state sections. On an error prints FILE:LINE: error: reason\n"
    "and writes nothing.\n",
    {},
};

std::vector<std::string> Outputs(const CommandLine& commandLine) {
    return {WithExtension(commandLine.inputs[0], ".equ")};
}

int WriteEquates(const CommandLine& commandLine, std::span<const std::string> outputs,
                 const ToolContext& context) {
    const std::string& symbolList = commandLine.inputs[0];
    const std::string& equates = outputs[0];
    Result<std::string> text = ReadInput(context, symbolList);
    if (!text)
        return Fail(context, text.error());
    Result<std::vector<GlobalSymbol>> symbols = ReadSymbolList(*text, symbolList);
    if (!symbols)
        return Fail(context, symbols.error());
    if (Status written = WriteOutput(context, equates, FormatEquates(*symbols)); !written)
        return Fail(context, written.error());
    context.out << "labelset: " << symbolList << " -> " << equates << ": " << symbols->size()
                << " equates\n";
    return 0;
}

}  // namespace

int RunLabelset(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, WriteEquates);
}

}  // namespace cuffware::toolchain
