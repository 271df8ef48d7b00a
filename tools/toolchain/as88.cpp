#include <array>

#include "platform/file_system.h"
#include "toolchain/assembler.h"
#include "toolchain/tool_help.h"
#include "toolchain/tools.h"

namespace cuffware::toolchain {

namespace {

constexpr std::array<OptionRule, 9> kOptions = {{
    {"-M", OptionArgument::kLetters, "memory model (s small, c, d, l); one model is assumed"},
    {"-g", OptionArgument::kLetters, "debug information kinds; none is written"},
    {"-O", OptionArgument::kLetters, "optimisation flags; nothing is optimised"},
    {"-L", OptionArgument::kLetters, "listing contents; no listing is written"},
    {"-l", OptionArgument::kNone, "write a listing file; none is written"},
    {"-w", OptionArgument::kNumber, "suppress warning n"},
    {"-t", OptionArgument::kNone, "section summary"},
    {"-err", OptionArgument::kNone, "errors to a file; they go to the error stream"},
    {"-e", OptionArgument::kNone, "no object on errors (always so)"},
}};

constexpr ToolDescription kTool{
    "as88",
    "as88 SOURCE.asm [-fOPTIONFILE] [options]",
    "Models the S1C88 cross assembler as far as the builder needs it: $ controls\n"
    "($CASE ON/OFF), INCLUDE 'path' or \"path\" (Windows path texts, drive letters\n"
    "through $WINEPREFIX/dosdevices, names matched without regard to case),\n"
    "NAME equ EXPR, DEFSECT \"name\", CODE AT EXPR, SECT, GLOBAL, label:,\n"
    "DB (values, 'strings', \"strings\"; a quote written twice stands for one),\n"
    "DW (16-bit little-endian), DS n, and instruction lines, which give\n"
    "placeholder bytes of a fixed size per mnemonic instead of real code.\n"
    "Expressions: decimal, 0x hex, 0FFh hex, symbols, + - * / ( ). Writes SOURCE.obj\n"
    "(a text format of this stand-in); on an error prints FILE:LINE: reason (with\n"
    "the INCLUDE lines that led to the file, and where a missing file was looked\n"
    "for) and writes no object.\n",
    kOptions,
};

}  // namespace

int RunAs88(std::span<const std::string> args, const ToolContext& context) {
    CommandLine commandLine = SplitCommandLine(args, false);
    if (std::optional<int> done = Open(kTool, commandLine, context))
        return *done;
    const std::string& source = commandLine.inputs[0];
    std::string object = WithExtension(source, ".obj");
    RemoveOutput(context, object);
    if (Status read = ReadOptions(context, commandLine, kOptions); !read)
        return Fail(context, read.error());

    SourceReader reader = [&context](const std::string& pathText) -> Result<std::string> {
        std::string hostPath = ToolPath(context, pathText);
        Result<std::string> content = DiskFileSystem().ReadFile(hostPath, kMaxToolInputBytes);
        if (!content)
            return Diagnostic{hostPath, 0, content.error().message};
        return content;
    };
    Result<ObjectModule> module = Assemble(source, reader);
    if (!module)
        return Fail(context, module.error());
    if (Status written = WriteOutput(context, object, FormatModule(*module, ModuleStage::kObject));
        !written)
        return Fail(context, written.error());
    context.out << "as88: " << source << " -> " << object << ": section " << module->sectionName
                << " at 0x" << Hex(module->address, 6) << ", " << module->bytes.size() << " bytes, "
                << module->globals.size() << " global symbols\n";
    return 0;
}

}  // namespace cuffware::toolchain
