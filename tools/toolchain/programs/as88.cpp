#include <array>

#include "platform/file_system.h"
#include "toolchain/assembler/assembler.h"
#include "toolchain/programs/tool_help.h"
#include "toolchain/programs/tools.h"

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
    "the assembler of our toolchain for the S1C88 core",
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
    "object. The listing marks what lc88 fills: an address in a section it\n"
    "places is +OFFSET, a byte of a field it fills xx; lc88 lists it again\n"
    "located. A source whose outputs would be the source itself is refused.\n",
    kOptions,
};

std::vector<std::string> Outputs(const CommandLine& commandLine) {
    const std::string& source = commandLine.inputs[0];
    return {WithExtension(source, ".obj"), WithExtension(source, ".lst")};
}

int Assemble(const CommandLine& commandLine, std::span<const std::string> outputs,
             const ToolContext& context) {
    const std::string& source = commandLine.inputs[0];
    const std::string& object = outputs[0];
    const std::string& listing = outputs[1];

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
    std::string objectText = FormatModule(module, ModuleStage::kObject);
    if (objectText.size() > kMaxToolInputBytes)
        return Fail(context, Diagnostic{object, 0,
                                        "not written: the object would be " +
                                            std::to_string(objectText.size()) +
                                            " bytes, more than lk88 reads (" +
                                            std::to_string(kMaxToolInputBytes) + ")"});
    if (withListing) {
        if (Status written = WriteOutput(context, listing, assembly->listing); !written)
            return Fail(context, written.error());
    }
    if (Status written = WriteOutput(context, object, objectText); !written) {
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

}  // namespace

int RunAs88(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, Assemble);
}

}  // namespace cuffware::toolchain
