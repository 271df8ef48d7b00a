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
    {"-L", OptionArgument::kLetters, "listing contents; the listing always has them all"},
    {"-l", OptionArgument::kNone, "write a listing, SOURCE.lst"},
    {"-w", OptionArgument::kNumber, "suppress warning n"},
    {"-t", OptionArgument::kNone, "section summary"},
    {"-err", OptionArgument::kNone, "errors to a file; they go to the error stream"},
    {"-e", OptionArgument::kNone, "no object on errors (always so)"},
}};

constexpr ToolDescription kTool{
    "as88",
    "as88 SOURCE.asm [-fOPTIONFILE] [options]",
    "Assembles S1C88 source into the processor's machine code: every instruction\n"
    "form of the core, chosen from the operands as written, with each operand\n"
    "checked against its field; relative branches counted from their last byte.\n"
    "Directives: DEFSECT \"name\", CODE|DATA [AT address], SECT, GLOBAL, EXTERN,\n"
    "NAME equ/set EXPR, DB, DW, DS, IF/ELSE/ENDIF, NAME MACRO/ENDM, INCLUDE 'path'\n"
    "(Windows path texts, drive letters through $WINEPREFIX/dosdevices, names\n"
    "matched without regard to case), $CASE ON/OFF, $LIST ON/OFF (see\n"
    "docs/assembler.md). Writes SOURCE.obj (a text format of ours, with the\n"
    "fields the locator fills) and with -l SOURCE.lst. Reports every error of a\n"
    "source (up to 50) in line order as FILE:LINE:COLUMN: error: reason (with\n"
    "the INCLUDE lines that led to the file), then the count, and writes no\n"
    "object.\n",
    kOptions,
};

}  // namespace

int RunAs88(std::span<const std::string> args, const ToolContext& context) {
    CommandLine commandLine = SplitCommandLine(args, false);
    if (std::optional<int> done = Open(kTool, commandLine, context))
        return *done;
    const std::string& source = commandLine.inputs[0];
    std::string object = WithExtension(source, ".obj");
    std::string listing = WithExtension(source, ".lst");
    RemoveOutput(context, object);
    RemoveOutput(context, listing);
    if (Status read = ReadOptions(context, commandLine, kOptions); !read)
        return Fail(context, read.error());

    SourceReader reader = [&context](const std::string& pathText) -> Result<std::string> {
        std::string hostPath = ToolPath(context, pathText);
        Result<std::string> content = DiskFileSystem().ReadFile(hostPath, kMaxToolInputBytes);
        if (!content)
            return Diagnostic{hostPath, 0, content.error().message};
        return content;
    };
    bool withListing = commandLine.Find("-l") != nullptr;
    AssemblyReport report = AssembleReporting(source, reader, withListing);
    for (const SourceMessage& message : report.messages)
        context.err << message.Text() << "\n";
    if (!report.assembly) {
        context.err << "as88: " << report.CountText() << ", no object written\n";
        return 1;
    }
    const Assembly* assembly = &*report.assembly;
    const ObjectModule& module = assembly->module;
    if (withListing) {
        if (Status written = WriteOutput(context, listing, assembly->listing); !written)
            return Fail(context, written.error());
    }
    if (Status written = WriteOutput(context, object, FormatModule(module, ModuleStage::kObject));
        !written) {
        RemoveOutput(context, listing);
        return Fail(context, written.error());
    }
    size_t bytes = 0;
    for (const Section& section : module.sections)
        bytes += section.bytes.size();
    context.out << "as88: " << source << " -> " << object << ": " << module.sections.size()
                << (module.sections.size() == 1 ? " section, " : " sections, ") << bytes
                << " bytes, " << module.globals.size() << " global symbols\n";
    return 0;
}

}  // namespace cuffware::toolchain
