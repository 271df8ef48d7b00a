// The texts people read: places, warnings, trace lines and stop reports.
#include "toolchain/disassembler/disassembler.h"
#include "toolchain/object/object_module.h"
#include "toolchain/simulator/simulator.h"

namespace cuffware::simulator {

using toolchain::Hex;

namespace {

struct Field {
    std::string_view name;
    Register reg;
    int digits;
};

constexpr Field kFields[] = {
    {"A", Register::kA, 2},   {"B", Register::kB, 2},   {"L", Register::kL, 2},
    {"H", Register::kH, 2},   {"IX", Register::kIX, 4}, {"IY", Register::kIY, 4},
    {"SP", Register::kSP, 4}, {"PC", Register::kPC, 4}, {"BR", Register::kBR, 2},
    {"EP", Register::kEP, 2}, {"XP", Register::kXP, 2}, {"YP", Register::kYP, 2},
    {"NB", Register::kNB, 2}, {"CB", Register::kCB, 2}, {"SC", Register::kSC, 2},
};

std::string FlagsText(uint8_t sc) {
    static constexpr char kNames[] = "ZCVNDU";
    std::string text;
    for (int bit = 5; bit >= 0; --bit)
        text += (sc >> bit & 1) ? kNames[bit] : '-';
    return text + " I=" + std::to_string(sc >> 6);
}

}  // namespace

std::string Location::Text() const {
    std::string text = "0x" + Hex(address, 6);
    std::string inside;
    if (!label.empty())
        inside = offset ? label + "+0x" + Hex(offset, 1) : label;
    if (!file.empty())
        inside += (inside.empty() ? "" : ", ") + file + ":" + std::to_string(line);
    return inside.empty() ? text : text + " (" + inside + ")";
}

std::string Warning::Text() const {
    const std::string what = kind == Kind::kUninitialisedRead
                                 ? "read of unset memory 0x"
                                 : "write into the program's code at 0x";
    return what + Hex(address, 6) + " by " + instructionText + " at " + instruction.Text();
}

std::string FormatTraceEntry(const TraceEntry& entry) {
    std::span<const uint8_t> bytes(entry.bytes, entry.length);
    std::vector<toolchain::DisassembledLine> lines = toolchain::Disassemble(bytes, entry.address);
    std::string text = lines.empty() ? std::string() : toolchain::FormatDisassembly({lines[0]});
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    text.resize(std::max<size_t>(text.size(), 44), ' ');
    std::string changes;
    for (const Field& field : kFields) {
        if (field.reg == Register::kPC)
            continue;
        const uint16_t after = Get(entry.after, field.reg);
        if (Get(entry.before, field.reg) != after)
            changes += " " + std::string(field.name) + "=" + Hex(after, field.digits);
    }
    for (uint8_t i = 0; i < entry.writeCount; ++i)
        changes += " [" + Hex(entry.writes[i].address, 6) + "]=" + Hex(entry.writes[i].value, 2);
    return text + changes;
}

std::string FormatStopReport(const StopReport& report) {
    std::string text =
        "stop: " + std::string(StopReasonText(report.reason)) + " at " + report.where.Text();
    if (!report.detail.empty())
        text += ": " + report.detail;
    text += "\ncycles: " + std::to_string(report.cycles);
    if (report.idleCycles)
        text += " (and " + std::to_string(report.idleCycles) + " idle)";
    text += ", instructions: " + std::to_string(report.instructions) + "\n";
    std::string registers;
    const Registers& r = report.registers;
    for (const Field& field : kFields)
        registers += (registers.empty() ? "" : " ") + std::string(field.name) + "=" +
                     Hex(Get(r, field.reg), field.digits);
    text += "registers: " + registers + "\n";
    text += "flags: " + FlagsText(r.sc) + "\n";
    text += "deepest stack: SP=" + Hex(report.deepestStack, 4) + " (" +
            std::to_string(report.stackBytesUsed) + " bytes)\n";
    text += "SDK calls: " + std::to_string(report.stubCalls.size()) + "\n";
    for (const StubCall& call : report.stubCalls)
        text += "  " + call.name + " at 0x" + Hex(call.address, 6) + " from 0x" +
                Hex(call.returnAddress, 6) + " cycle " + std::to_string(call.cycle) +
                " BA=" + Hex(call.registers.ba(), 4) + " HL=" + Hex(call.registers.hl(), 4) +
                " IX=" + Hex(call.registers.ix, 4) + " IY=" + Hex(call.registers.iy, 4) + "\n";
    for (const StubCount& count : report.stubCounts) {
        if (!count.Holds())
            text += "  " + count.name + " called " + std::to_string(count.calls) +
                    " times, expected " + std::to_string(*count.expected) + "\n";
    }
    for (const Warning& warning : report.warnings)
        text += "warning: " + warning.Text() + "\n";
    if (report.warningsDropped)
        text += "warning: " + std::to_string(report.warningsDropped) + " more\n";
    if (!report.lastInstructions.empty()) {
        text += "last instructions:\n";
        for (const TraceEntry& entry : report.lastInstructions)
            text += "  " + FormatTraceEntry(entry) + "\n";
    }
    return text;
}

}  // namespace cuffware::simulator
