#include <array>

#include "toolchain/assembler/expression.h"
#include "toolchain/disassembler/disassembly_writer.h"
#include "toolchain/object/s_records.h"
#include "toolchain/programs/tool_help.h"
#include "toolchain/programs/tools.h"

namespace cuffware::toolchain {

namespace {

constexpr std::array<OptionRule, 5> kOptions = {{
    {"-b", OptionArgument::kText, "address of a binary image's first byte (0x10000, 10000h)"},
    {"--listing", OptionArgument::kNone, "address and bytes first, as a listing (not as88 source)"},
    {"--map=", OptionArgument::kText, "lc88's map: labels, section names and kinds, target names"},
    {"--map", OptionArgument::kNone, "the map beside the S-records (NAME.map)"},
    {"--equ=", OptionArgument::kText,
     "names from NAME equ VALUE lines (.equ, .h); may be repeated"},
}};

constexpr ToolDescription kTool{
    "dis88",
    "the disassembler of our toolchain for the S1C88 core",
    "dis88 FILE [-bADDRESS] [--map[=FILE.map]] [--equ=FILE] [--listing]",
    "Disassembles S1C88 machine code: an S-record file (each run of bytes at its\n"
    "address) or a binary image (at -b, else 0). By default prints a source that\n"
    "as88 assembles again to the same bytes: each run under DEFSECT ... AT its\n"
    "address, one instruction a line with its address and bytes as a comment; a\n"
    "code no instruction starts with is a DB line. --listing prints the address\n"
    "and bytes first instead. With a map (lc88's NAME.map) labels stand at their\n"
    "addresses, DATA sections are DB lines, and branches to a named address (of\n"
    "the map, or of --equ's equates, such as the SDK's entry points) use the\n"
    "name. Writes line by line as it goes.\n",
    kOptions,
};

// The names the --map and --equ options give.
Result<DisassemblyNames> ReadNames(const ToolContext& context, const CommandLine& commandLine,
                                   const std::string& input) {
    DisassemblyNames names;
    if (const Option* map = commandLine.Find("--map")) {
        std::string name = map->text == "--map" ? WithExtension(input, ".map")
                                                : std::string(map->Argument("--map="));
        Result<std::string> text = ReadInput(context, name);
        if (!text)
            return text.error();
        Result<LocateMap> read = ReadMap(*text, name);
        if (!read)
            return read.error();
        names.map = std::move(*read);
    }
    for (const Option& option : commandLine.options) {
        if (!option.text.starts_with("--equ="))
            continue;
        Result<std::string> text = ReadInput(context, std::string(option.Argument("--equ=")));
        if (!text)
            return text.error();
        for (GlobalSymbol& equate : EquatesIn(*text))
            names.equates.push_back(std::move(equate));
    }
    return names;
}

// dis88 prints what it makes.
std::vector<std::string> Outputs(const CommandLine&) {
    return {};
}

int Disassemble(const CommandLine& commandLine, std::span<const std::string>,
                const ToolContext& context) {
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
    Result<DisassemblyNames> names = ReadNames(context, commandLine, input);
    if (!names)
        return Fail(context, names.error());
    Result<std::string> content = ReadInput(context, input);
    if (!content)
        return Fail(context, content.error());
    std::vector<LoadedBytes> runs;
    if (LooksLikeSRecords(*content)) {
        Result<std::vector<LoadedBytes>> records = ReadSRecords(*content, input);
        if (!records)
            return Fail(context, records.error());
        runs = std::move(*records);
    } else {
        runs.push_back({base, std::move(*content)});
    }
    WriteDisassembly(
        runs, *names,
        commandLine.Find("--listing") ? DisassemblyForm::kListing : DisassemblyForm::kSource,
        context.out);
    return 0;
}

}  // namespace

int RunDis88(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, Disassemble);
}

}  // namespace cuffware::toolchain
