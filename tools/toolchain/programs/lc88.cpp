#include <array>

#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/listing.h"
#include "toolchain/locator/locator.h"
#include "toolchain/object/object_module.h"
#include "toolchain/object/s_records.h"
#include "toolchain/object/symbol_files.h"
#include "toolchain/programs/description_file.h"
#include "toolchain/programs/tool_help.h"
#include "toolchain/programs/tools.h"

namespace cuffware::toolchain {

namespace {

constexpr size_t kDefaultBytesPerRecord = 16;
constexpr long long kMaxBytesPerRecord = 250;  // the byte count field holds at most 255

constexpr std::array<OptionRule, 6> kOptions = {{
    {"-f", OptionArgument::kText,
     "output format: 2 (Motorola S-records), bN: N data bytes a record"},
    {"-d", OptionArgument::kText, "processor description file (optional); must be found"},
    {"-M", OptionArgument::kNone, "locate map; NAME.map is always written"},
    {"-w", OptionArgument::kNumber, "suppress warning n"},
    {"-e", OptionArgument::kNone, "no output on errors (always so)"},
    {"-err", OptionArgument::kNone, "errors to a file; they go to the error stream"},
}};

constexpr ToolDescription kTool{
    "lc88",
    "the locator of our toolchain for the S1C88 core",
    "lc88 NAME.out -o NAME.sre [-fOPTIONFILE] [options]",
    "Locates what lk88 linked: each section at its address (DEFSECT ... AT; one\n"
    "without follows the section before it), fills the fields the assembler\n"
    "left open, and writes NAME.sre (an S0 header record, S2 records of the\n"
    "bytes at their 24-bit addresses, an S8 record) and NAME.map (the sections,\n"
    "every label with its address and size, and the global symbols' addresses,\n"
    "which maplist reads). Rewrites OBJECT.lst beside each object that was\n"
    "assembled with a listing, with the located addresses and bytes. Checks a\n"
    "processor description file given with -d like lk88. On an error prints\n"
    "FILE:LINE: error: reason and leaves neither NAME.sre nor NAME.map.\n",
    kOptions,
    false,
    true,
};

// The data bytes per S2 record that a "-f2" or "-f2bN" option asks for.
Result<size_t> BytesPerRecord(const CommandLine& commandLine) {
    const Option* format = commandLine.Find("-f");
    if (!format)
        return kDefaultBytesPerRecord;
    std::string_view text = format->Argument("-f");
    Diagnostic unsupported = format->origin;
    unsupported.message = "unsupported output format '" + format->text +
                          "' (2 is Motorola S-records, optionally bN data bytes a record)";
    if (text == "2")
        return kDefaultBytesPerRecord;
    if (!text.starts_with("2b"))
        return unsupported;
    Result<long long> count = NumberValue(text.substr(2));
    if (!count || *count < 1 || *count > kMaxBytesPerRecord)
        return unsupported;
    return static_cast<size_t>(*count);
}

// The listing of each object of the located module that was assembled with
// one, with the located sections: file name and text.
Result<std::vector<std::pair<std::string, std::string>>> LocatedListings(
    const ToolContext& context, const ObjectModule& located) {
    std::vector<std::pair<std::string, std::string>> listings;
    for (const ModuleOrigin& origin : located.origins) {
        // The listing needs no labels; the object is still read whole, so
        // it is refused as before.
        Result<ObjectModule> object =
            ReadModule(context, origin.object, ModuleStage::kObject, LabelsKept::kOnlyUnchecked);
        if (!object)
            return object.error();
        if (object->listing.empty())
            continue;
        bool same = object->sections.size() == origin.sectionCount;
        for (size_t i = 0; same && i < origin.sectionCount; ++i) {
            const Section& placed = located.sections[origin.firstSection + i];
            Section& section = object->sections[i];
            same = section.bytes.size() == placed.bytes.size();
            section = placed;
        }
        if (!same)
            return Diagnostic{origin.object, 0, "changed since it was linked; link it again"};
        listings.emplace_back(WithExtension(origin.object, ".lst"), FormatListing(*object));
    }
    return listings;
}

std::vector<std::string> Outputs(const CommandLine& commandLine) {
    std::string records = commandLine.output.empty() ? WithExtension(commandLine.inputs[0], ".sre")
                                                     : commandLine.output;
    std::string map = WithExtension(records, ".map");
    return {std::move(records), std::move(map)};
}

int LocateAndWrite(const CommandLine& commandLine, std::span<const std::string> outputs,
                   const ToolContext& context) {
    const std::string& linked = commandLine.inputs[0];
    const std::string& records = outputs[0];
    const std::string& map = outputs[1];
    Result<size_t> bytesPerRecord = BytesPerRecord(commandLine);
    if (!bytesPerRecord)
        return Fail(context, bytesPerRecord.error());
    if (Status description = CheckDescriptionFile(context, commandLine); !description)
        return Fail(context, description.error());

    Result<ObjectModule> module = ReadModule(context, linked, ModuleStage::kLinked);
    if (!module)
        return Fail(context, module.error());
    Result<ObjectModule> located = Locate(std::move(*module), linked);
    if (!located)
        return Fail(context, located.error());
    Result<std::vector<std::pair<std::string, std::string>>> listings =
        LocatedListings(context, *located);
    if (!listings)
        return Fail(context, listings.error());
    std::string header = WithExtension(located->source, "");
    if (Status written = WriteOutput(context, map, FormatMap(*located, records)); !written)
        return Fail(context, written.error());
    if (Status written =
            WriteOutput(context, records, FormatSRecords(*located, header, *bytesPerRecord));
        !written) {
        RemoveOutput(context, map);
        return Fail(context, written.error());
    }
    for (const auto& [name, text] : *listings) {
        if (Status written = WriteOutput(context, name, text); !written) {
            RemoveOutput(context, records);
            RemoveOutput(context, map);
            return Fail(context, written.error());
        }
    }
    context.out << "lc88: " << linked << " -> " << records << ", " << map << ":";
    for (const Section& section : located->sections)
        context.out << " " << section.name << " at 0x" << Hex(*section.address, 6) << ", "
                    << section.bytes.size() << " bytes;";
    context.out << "\n";
    return 0;
}

}  // namespace

int RunLc88(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, LocateAndWrite);
}

}  // namespace cuffware::toolchain
