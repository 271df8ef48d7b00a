#include "toolchain/simulator/sim88.h"

#include <array>
#include <optional>

#include "toolchain/assembler/expression.h"
#include "toolchain/object/s_records.h"
#include "toolchain/programs/command_line.h"
#include "toolchain/simulator/simulator.h"

namespace cuffware::simulator {

namespace {

using toolchain::CommandLine;
using toolchain::Option;
using toolchain::OptionArgument;
using toolchain::OptionRule;
using toolchain::ToolContext;

constexpr std::array<OptionRule, 15> kOptions = {{
    {"--map=", OptionArgument::kText, "the locator's map: sections and symbols"},
    {"--listing=", OptionArgument::kText, "as88's listing: source lines for the addresses"},
    {"--listing-at=", OptionArgument::kText, "added to the listing's addresses (default 0)"},
    {"--equ=", OptionArgument::kText, "SDK equates naming addresses outside the program"},
    {"-b", OptionArgument::kText, "a binary image's first address (0x10000, 10000h)"},
    {"--start=", OptionArgument::kText, "label or address of the routine (default: first byte)"},
    {"--break=", OptionArgument::kText, "stop before the label or address runs (repeatable)"},
    {"--model=", OptionArgument::kNumber, "core model 0-3 (default 3)"},
    {"--mode=", OptionArgument::kText, "max or min: stack frames with or without CB (max)"},
    {"--cycles=", OptionArgument::kNumber, "cycle limit (default 10000000)"},
    {"--sp=", OptionArgument::kText, "initial SP, the top of the stack region (0x2000)"},
    {"--stack-low=", OptionArgument::kText, "lowest SP allowed (0)"},
    {"--set=", OptionArgument::kText, "REGISTER=VALUE before the run, e.g. --set=BA=0x1234"},
    {"--irq=", OptionArgument::kText, "VECTOR,PRIORITY[,CYCLE]: an interrupt request (0: NMI)"},
    {"--trace", OptionArgument::kNone, "print each instruction with what it changed"},
}};

constexpr std::string_view kUsage = "sim88 FILE [options]";

constexpr std::string_view kAbout =
    "sim88: runs a routine of an S1C88 program (S-records, or a binary image at\n"
    "-b) instruction by instruction, and prints why and where it stopped, the\n"
    "cycles, registers, flags, the deepest stack, the SDK calls and the last\n"
    "instructions. Calls outside the program's sections return at once and\n"
    "are listed as SDK calls.\n"
    "Usage: sim88 FILE [options]\n"
    "Options:\n";

struct Settings {
    Options options;
    std::string map;
    std::string listing;
    uint32_t listingAt = 0;
    std::vector<std::string> equates;
    std::optional<uint32_t> base;
    std::optional<std::string> start;
    std::vector<std::string> breakpoints;
    uint16_t sp = 0x2000;
    std::vector<RegisterValue> registers;
    struct Request {
        uint8_t vector;
        int priority;
        uint64_t cycle;
    };
    std::vector<Request> requests;
    bool trace = false;
};

Diagnostic Bad(const Option& option, const std::string& what) {
    Diagnostic bad = option.origin;
    bad.message = what + " '" + option.text + "'";
    return bad;
}

std::optional<long long> Number(std::string_view text, long long most) {
    Result<long long> value = toolchain::NumberValue(text);
    if (!value || *value < 0 || *value > most)
        return std::nullopt;
    return *value;
}

std::vector<std::string_view> Parts(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator)) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

Status ReadOption(const Option& option, Settings& settings) {
    const std::string_view text = option.text;
    auto value = [&](std::string_view name) { return text.substr(name.size()); };
    if (text.starts_with("--map=")) {
        settings.map = value("--map=");
    } else if (text.starts_with("--listing=")) {
        settings.listing = value("--listing=");
    } else if (text.starts_with("--listing-at=")) {
        std::optional<long long> at = Number(value("--listing-at="), 0xFFFFFF);
        if (!at)
            return Bad(option, "bad address");
        settings.listingAt = static_cast<uint32_t>(*at);
    } else if (text.starts_with("--equ=")) {
        settings.equates.emplace_back(value("--equ="));
    } else if (text.starts_with("-b")) {
        std::optional<long long> base = Number(value("-b"), 0xFFFFFF);
        if (!base)
            return Bad(option, "bad address");
        settings.base = static_cast<uint32_t>(*base);
    } else if (text.starts_with("--start=")) {
        settings.start = value("--start=");
    } else if (text.starts_with("--break=")) {
        settings.breakpoints.emplace_back(value("--break="));
    } else if (text.starts_with("--model=")) {
        std::optional<long long> model = Number(value("--model="), 3);
        if (!model)
            return Bad(option, "no such model");
        settings.options.model = static_cast<Model>(*model);
    } else if (text.starts_with("--mode=")) {
        if (value("--mode=") != "max" && value("--mode=") != "min")
            return Bad(option, "mode is max or min");
        settings.options.stackMode =
            value("--mode=") == "max" ? StackMode::kMaximum : StackMode::kMinimum;
    } else if (text.starts_with("--cycles=")) {
        std::optional<long long> limit = Number(value("--cycles="), 1LL << 50);
        if (!limit)
            return Bad(option, "bad cycle limit");
        settings.options.cycleLimit = static_cast<uint64_t>(*limit);
    } else if (text.starts_with("--sp=") || text.starts_with("--stack-low=")) {
        const bool top = text.starts_with("--sp=");
        std::optional<long long> sp = Number(value(top ? "--sp=" : "--stack-low="), 0xFFFF);
        if (!sp)
            return Bad(option, "bad stack address");
        (top ? settings.sp : settings.options.stackLow) = static_cast<uint16_t>(*sp);
    } else if (text.starts_with("--set=")) {
        std::vector<std::string_view> parts = Parts(value("--set="), '=');
        std::optional<Register> reg = parts.size() == 2 ? RegisterNamed(parts[0]) : std::nullopt;
        std::optional<long long> number =
            parts.size() == 2 ? Number(parts[1], 0xFFFF) : std::nullopt;
        if (!reg || !number)
            return Bad(option, "expected REGISTER=VALUE in");
        settings.registers.push_back({*reg, static_cast<uint16_t>(*number)});
    } else if (text.starts_with("--irq=")) {
        std::vector<std::string_view> parts = Parts(value("--irq="), ',');
        std::optional<long long> vector = Number(parts[0], 0xFF);
        std::optional<long long> priority = parts.size() >= 2 ? Number(parts[1], 3) : std::nullopt;
        std::optional<long long> cycle = parts.size() == 3 ? Number(parts[2], 1LL << 50) : 0;
        if (!vector || !priority || !cycle || parts.size() > 3)
            return Bad(option, "expected VECTOR,PRIORITY[,CYCLE] in");
        settings.requests.push_back({static_cast<uint8_t>(*vector), static_cast<int>(*priority),
                                     static_cast<uint64_t>(*cycle)});
    } else if (text == "--trace") {
        settings.trace = true;
    }
    return Status::Ok();
}

Result<Program> ReadCode(const ToolContext& context, const std::string& input,
                         const Settings& settings) {
    Result<std::string> content = toolchain::ReadInput(context, input);
    if (!content)
        return content.error();
    if (!toolchain::LooksLikeSRecords(*content) || settings.base) {
        const std::string& bytes = *content;
        return ProgramFromImage(std::vector<uint8_t>(bytes.begin(), bytes.end()),
                                settings.base.value_or(0));
    }
    std::string map;
    if (!settings.map.empty()) {
        Result<std::string> mapText = toolchain::ReadInput(context, settings.map);
        if (!mapText)
            return mapText.error();
        map = *mapText;
    }
    return ProgramFromSRecords(*content, input, map, settings.map);
}

// The code, then the source lines of the listing when one is given.
Result<Program> ReadProgram(const ToolContext& context, const std::string& input,
                            const Settings& settings) {
    Result<Program> program = ReadCode(context, input, settings);
    if (!program || settings.listing.empty())
        return program;
    Result<std::string> listing = toolchain::ReadInput(context, settings.listing);
    if (!listing)
        return listing.error();
    Result<std::vector<SourceLine>> lines =
        SourceLinesFromListing(*listing, settings.listing, settings.listingAt);
    if (!lines)
        return lines.error();
    program->lines = std::move(*lines);
    return program;
}

struct TraceOutput {
    std::ostream& out;
};

void PrintTrace(const TraceEntry& entry, const Simulator&, void* context) {
    static_cast<TraceOutput*>(context)->out << FormatTraceEntry(entry) << "\n";
}

}  // namespace

int RunSim88(std::span<const std::string> args, const ToolContext& context) {
    CommandLine commandLine = toolchain::SplitCommandLine(args, false);
    if (commandLine.help) {
        context.out << kAbout << toolchain::DescribeOptions(kOptions);
        return 0;
    }
    if (commandLine.inputs.size() != 1)
        return toolchain::Fail(
            context, Diagnostic{"command line", 0,
                                "expected one input file\nUsage: " + std::string(kUsage)});
    if (Status read = toolchain::ReadOptions(context, commandLine, kOptions); !read)
        return toolchain::Fail(context, read.error());
    Settings settings;
    for (const Option& option : commandLine.options) {
        if (Status read = ReadOption(option, settings); !read)
            return toolchain::Fail(context, read.error());
    }
    Result<Program> program = ReadProgram(context, commandLine.inputs[0], settings);
    if (!program)
        return toolchain::Fail(context, program.error());
    if (program->bytes.empty())
        return toolchain::Fail(context, Diagnostic{commandLine.inputs[0], 0, "no code"});

    Simulator simulator(settings.options);
    simulator.Load(*program);
    for (const std::string& equates : settings.equates) {
        Result<std::string> text = toolchain::ReadInput(context, equates);
        if (!text)
            return toolchain::Fail(context, text.error());
        Result<std::vector<Label>> labels = LabelsFromEquates(*text, equates);
        if (!labels)
            return toolchain::Fail(context, labels.error());
        simulator.AddLabels(*labels);
    }
    Registers& registers = simulator.registers();
    registers.sp = settings.sp;
    for (const RegisterValue& value : settings.registers)
        Set(registers, value.reg, value.value);
    for (const Settings::Request& request : settings.requests)
        simulator.RequestInterrupt(request.vector, request.priority, request.cycle);
    for (const std::string& place : settings.breakpoints) {
        std::optional<uint32_t> address = simulator.Resolve(place);
        if (!address)
            return toolchain::Fail(
                context, Diagnostic{"command line", 0, "no label or address '" + place + "'"});
        simulator.AddBreakpoint(*address);
    }
    uint32_t start = program->bytes.front().address;
    if (settings.start) {
        std::optional<uint32_t> address = simulator.Resolve(*settings.start);
        if (!address)
            return toolchain::Fail(
                context,
                Diagnostic{"command line", 0, "no label or address '" + *settings.start + "'"});
        start = *address;
    }
    TraceOutput trace{context.out};
    if (settings.trace)
        simulator.SetTraceHook(PrintTrace, &trace);
    const StopReport report = simulator.Call(start);
    context.out << FormatStopReport(report);
    const bool expected =
        report.reason == StopReason::kReturned || report.reason == StopReason::kBreakpoint;
    return expected ? 0 : 1;
}

}  // namespace cuffware::simulator
