// Assembling, linking and locating one section as large as the code image
// can hold (32 KB), made of every instruction form of the table in turn; and
// assembling the largest REPT expansion the assembler accepts.

#include <benchmark/benchmark.h>

#include <string>

#include "toolchain/assembler/assembler.h"
#include "toolchain/isa/instruction_set.h"
#include "toolchain/linker/linker.h"
#include "toolchain/locator/locator.h"

namespace cuffware::toolchain {
namespace {

constexpr size_t kSectionBytes = 32768;

std::string OperandFor(const FormOperand& operand) {
    switch (operand.kind) {
        case OperandKind::kFixed:
            return operand.text;
        case OperandKind::kByte:
            return "#LOW(Value)";
        case OperandKind::kWord:
            return "#Value";
        case OperandKind::kAddress:
            return "[Value]";
        case OperandKind::kVector:
            return "[40h]";
        case OperandKind::kPage:
            return "[BR:LOW(Value)]";
        case OperandKind::kIndexed:
            return "[" + operand.base + "+1]";
        case OperandKind::kShortJump:
        case OperandKind::kLongJump:
            return "$";
    }
    return {};
}

// A source of every form, over and over, up to kSectionBytes.
std::string LargestSection() {
    std::string source = "Value equ 1234h\n  DEFSECT \".text\", CODE AT 10000h\n  SECT \".text\"\n";
    size_t bytes = 0;
    while (bytes < kSectionBytes) {
        for (const InstructionForm& form : InstructionForms()) {
            if (bytes + static_cast<size_t>(form.length) > kSectionBytes)
                break;
            std::string line = "  " + form.mnemonic;
            for (size_t i = 0; i < form.operands.size(); ++i)
                line += (i == 0 ? " " : ",") + OperandFor(form.operands[i]);
            source += line + "\n";
            bytes += static_cast<size_t>(form.length);
        }
        if (bytes + 4 > kSectionBytes)
            break;
    }
    return source;
}

void BM_AssembleLinkLocateTheLargestSection(benchmark::State& state) {
    const std::string source = LargestSection();
    SourceReader read = [&](const std::string&) -> Result<std::string> { return source; };
    for (auto _ : state) {
        Result<Assembly> assembly = Assemble("t.asm", read, true);
        Result<ObjectModule> linked = Link({{"t.obj", assembly->module}});
        Result<ObjectModule> located = Locate(*linked, "t.out");
        benchmark::DoNotOptimize(located->sections[0].bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(kSectionBytes);
}
BENCHMARK(BM_AssembleLinkLocateTheLargestSection)->Unit(benchmark::kMillisecond);

// REPT 8192 of a 16-line block, with a LOCAL label: 131,072 lines, the
// bound of expanded lines, 65,536 bytes, the most a section holds, and a
// label per repetition.
void BM_AssembleTheLargestAcceptedRepeat(benchmark::State& state) {
    std::string source =
        "  DEFSECT \".text\", DATA\n  SECT \".text\"\nTop:\n  REPT 8192\n  LOCAL here\n"
        "here: DJR NZ,here\n";
    for (int line = 0; line < 6; ++line)
        source += "  NOP\n";
    for (int line = 0; line < 8; ++line)
        source += "; a comment line\n";
    source += "  ENDR\n";
    SourceReader read = [&](const std::string&) -> Result<std::string> { return source; };
    for (auto _ : state) {
        Result<Assembly> assembly = Assemble("t.asm", read);
        if (!assembly) {
            state.SkipWithError(assembly.error().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(assembly->module.sections[0].bytes.data());
    }
    state.counters["lines"] = 8192.0 * 16;
}
BENCHMARK(BM_AssembleTheLargestAcceptedRepeat)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cuffware::toolchain
