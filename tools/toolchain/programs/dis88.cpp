#include <array>
#include <memory>

#include "platform/host_file_blocks.h"
#include "platform/host_path.h"

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

// A binary image: one run at its base address, read from the file a block
// at a time.
class ImageFile : public LocatedRuns {
  public:
    ImageFile(std::unique_ptr<HostFileBlocks> file, long long base, std::string pathText)
        : file_(std::move(file)), base_(base), pathText_(std::move(pathText)) {}

    // The first bytes, to tell S-records from an image.
    std::string Start() {
        std::string start(2, '\0');
        Result<size_t> got = file_->ReadAt(0, start);
        start.resize(got ? *got : 0);
        return start;
    }

    std::vector<Extent> Extents() const override {
        return {{base_, static_cast<size_t>(file_->Size())}};
    }

    Status Read(size_t, size_t offset, std::span<unsigned char> into) override {
        std::span<char> bytes(reinterpret_cast<char*>(into.data()), into.size());
        Result<size_t> got = file_->ReadAt(offset, bytes);
        if (!got)
            return got.error();
        if (*got < into.size())
            return Diagnostic{pathText_, 0, "cannot read: the file got shorter"};
        return Status::Ok();
    }

  private:
    std::unique_ptr<HostFileBlocks> file_;
    long long base_;
    std::string pathText_;
};

// The input opened for reading in blocks, if it is a file ReadInput would
// read whole; its failure reads as ReadInput's.
Result<std::unique_ptr<HostFileBlocks>> OpenInput(const ToolContext& context,
                                                  const std::string& input) {
    std::string path = ToolPath(context, input);
    Result<std::unique_ptr<HostFileBlocks>> file =
        path.find('\0') == std::string::npos
            ? HostFileBlocks::Open(HostPath(path), input)
            : Result<std::unique_ptr<HostFileBlocks>>(Diagnostic{});
    if (!file || (*file)->Size() > kMaxToolInputBytes)
        return Diagnostic{input, 0, "cannot open " + LookedFor(context, input)};
    return file;
}

// S-records, read whole: a watch image's are a few hundred KB at most.
Status WriteSRecords(const ToolContext& context, const std::string& input,
                     const DisassemblyNames& names, DisassemblyForm form) {
    Result<std::string> content = ReadInput(context, input);
    if (!content)
        return content.error();
    Result<std::vector<LoadedBytes>> records = ReadSRecords(*content, input);
    if (!records)
        return records.error();
    WriteDisassembly(*records, names, form, context.out);
    return Status::Ok();
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
    DisassemblyForm form =
        commandLine.Find("--listing") ? DisassemblyForm::kListing : DisassemblyForm::kSource;
    Result<std::unique_ptr<HostFileBlocks>> file = OpenInput(context, input);
    if (!file)
        return Fail(context, file.error());
    ImageFile image(std::move(*file), base, input);
    Status written = LooksLikeSRecords(image.Start())
                         ? WriteSRecords(context, input, *names, form)
                         : WriteDisassembly(image, *names, form, context.out);
    if (!written)
        return Fail(context, written.error());
    return 0;
}

}  // namespace

int RunDis88(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, Disassemble);
}

}  // namespace cuffware::toolchain
