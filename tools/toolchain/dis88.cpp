#include <array>

#include "toolchain/disassembler.h"
#include "toolchain/expression.h"
#include "toolchain/s_records.h"
#include "toolchain/tool_help.h"
#include "toolchain/tools.h"

namespace cuffware::toolchain {

namespace {

constexpr std::array<OptionRule, 1> kOptions = {{
    {"-b", OptionArgument::kText, "address of a binary image's first byte (0x10000, 10000h)"},
}};

constexpr ToolDescription kTool{
    "dis88",
    "dis88 FILE [-bADDRESS]",
    "Disassembles S1C88 machine code: an S-record file (each run of bytes at its\n"
    "address) or a binary image (at -b, else 0). Prints one instruction a line:\n"
    "address, bytes, and the instruction in the assembler's notation, which\n"
    "as88 takes back; a code no instruction starts with is a DB line.\n",
    kOptions,
};

}  // namespace

int RunDis88(std::span<const std::string> args, const ToolContext& context) {
    CommandLine commandLine = SplitCommandLine(args, false);
    if (std::optional<int> done = Open(kTool, commandLine, context))
        return *done;
    if (Status read = ReadOptions(context, commandLine, kOptions); !read)
        return Fail(context, read.error());
    long long base = 0;
    if (const Option* option = commandLine.Find("-b")) {
        Result<long long> address = NumberValue(option->Argument("-b"));
        if (!address || *address > 0xFFFFFF) {
            Diagnostic bad = option->origin;
            bad.message = "bad address '" + std::string(option->Argument("-b")) + "'";
            return Fail(context, bad);
        }
        base = *address;
    }
    const std::string& input = commandLine.inputs[0];
    Result<std::string> content = ReadInput(context, input);
    if (!content)
        return Fail(context, content.error());
    std::vector<LoadedBytes> runs = {{base, *content}};
    if (LooksLikeSRecords(*content)) {
        Result<std::vector<LoadedBytes>> records = ReadSRecords(*content, input);
        if (!records)
            return Fail(context, records.error());
        runs = std::move(*records);
    }
    for (const LoadedBytes& run : runs) {
        std::span<const unsigned char> bytes(
            reinterpret_cast<const unsigned char*>(run.bytes.data()), run.bytes.size());
        context.out << FormatDisassembly(Disassemble(bytes, run.address));
    }
    return 0;
}

}  // namespace cuffware::toolchain
