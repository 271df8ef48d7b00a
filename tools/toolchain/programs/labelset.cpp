#include "toolchain/programs/symbol_conversion.h"
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

constexpr SymbolConversion kEquates{kTool.name, ".equ", ReadSymbolList, FormatEquates, "equates"};

std::vector<std::string> Outputs(const CommandLine& commandLine) {
    return {ConvertedName(kEquates, commandLine.inputs[0])};
}

int WriteEquates(const CommandLine& commandLine, std::span<const std::string> outputs,
                 const ToolContext& context) {
    return ConvertSymbols(kEquates, commandLine.inputs[0], outputs[0], context);
}

}  // namespace

int RunLabelset(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, WriteEquates);
}

}  // namespace cuffware::toolchain
