// Every form of the instruction table executed in a generated program, its
// length and cycles checked against the table (conditional forms taken and
// not taken), and every undefined code stopping the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "simulated.h"
#include "toolchain/isa/instruction_set.h"
#include "tools/toolchain/operand_fields.h"

namespace cuffware::simulator {
namespace {

using toolchain::InstructionForm;

constexpr uint32_t kAt = 0x1000;

// Harmless operand values: a byte (an immediate, a displacement from IX or
// IY, an offset in BR's page 30h, a vector) is small, a word (an immediate
// or an address) lands in RAM at 00:3000-30FF, a branch goes 0x10 ahead.
constexpr long long kByteValue = 0x04;
constexpr long long kWordValue = 0x3004;
constexpr long long kBranchOffset = 0x10;

long long HarmlessValue(const toolchain::OperandKindRow& kind) {
    if (kind.IsBranch())
        return kBranchOffset;
    return kind.Bytes() == 1 ? kByteValue : kWordValue;
}

std::vector<uint8_t> BytesOf(const InstructionForm& form) {
    std::vector<toolchain::testing::OperandValue> operands;
    for (const toolchain::FormOperand& operand : form.operands) {
        if (operand.row)
            operands.push_back({operand.row, HarmlessValue(*operand.row)});
    }
    std::vector<uint8_t> bytes(form.opcode.begin(), form.opcode.end());
    for (const std::string& field : form.fields) {
        std::optional<uint8_t> byte = toolchain::testing::FieldByte(operands, field);
        EXPECT_TRUE(byte.has_value()) << field << " is no operand's field";
        bytes.push_back(byte.value_or(0));
    }
    return bytes;
}

void Prepare(Simulator& simulator, uint8_t sc, uint8_t cc, uint8_t b) {
    Registers& r = simulator.registers();
    r = Registers{};
    r.pc = kAt;
    r.sp = 0x2000;
    r.sc = sc;
    r.cc = cc;
    r.a = 0x02;  // DIV by 2
    r.b = b;
    r.l = 0x10;
    r.h = 0x30;
    r.ix = 0x3010;
    r.iy = 0x3020;
    r.br = 0x30;
}

struct Outcome {
    uint64_t cycles;
    bool branched;
};

Outcome RunOnce(const InstructionForm& form, Options options, uint8_t sc, uint8_t cc, uint8_t b) {
    const std::vector<uint8_t> bytes = BytesOf(form);
    Simulator simulator = testing::WithCode(kAt, bytes, options);
    simulator.SetMemory(0x3000, std::vector<uint8_t>(0x200, 0x00));
    testing::Poke(simulator, kByteValue, {0x00, 0x12});          // a vector there leads to 1200
    testing::Poke(simulator, 0x2000, {0x00, 0x11, 0x01, 0x00});  // a frame to return through
    Prepare(simulator, sc, cc, b);
    simulator.registers().sp = 0x2000;
    std::optional<StopReport> stop = simulator.Step();
    EXPECT_FALSE(stop.has_value()) << form.Written() << ": " << FormatStopReport(*stop);
    return {simulator.cycles(),
            simulator.registers().pc != kAt + static_cast<uint32_t>(form.length)};
}

bool IsConditional(const InstructionForm& form) {
    return form.mnemonic == "DJR" || ((form.mnemonic == "JRS" || form.mnemonic == "JRL" ||
                                       form.mnemonic == "CARS" || form.mnemonic == "CARL") &&
                                      form.operands.size() == 2);
}

TEST(Forms, EveryFormRunsWithTheTablesCyclesAndLength) {
    const std::set<std::string> branches = {"JRS",  "JRL", "CARS", "CARL", "DJR", "JP",
                                            "CALL", "RET", "RETE", "RETS", "INT"};
    size_t run = 0;
    for (const InstructionForm& form : toolchain::InstructionForms()) {
        SCOPED_TRACE(form.Written());
        const int taken = std::atoi(form.cycles.c_str());
        const size_t colon = form.cycles.find(':');
        const int notTaken =
            colon == std::string::npos ? taken : std::atoi(form.cycles.c_str() + colon + 1);
        if (!IsConditional(form)) {
            const Outcome outcome = RunOnce(form, {}, 0x00, 0x00, 0x02);
            EXPECT_EQ(outcome.cycles, static_cast<uint64_t>(taken));
            EXPECT_EQ(outcome.branched, branches.contains(form.mnemonic));
            ++run;
            continue;
        }
        // Find flag states under which the branch is taken and not taken.
        bool sawTaken = false, sawNotTaken = false;
        for (uint8_t sc : {0x00, 0x01, 0x02, 0x04, 0x08, 0x0C, 0x0F}) {
            for (uint8_t cc : {0x00, 0x0F}) {
                for (uint8_t b : {0x01, 0x02}) {
                    const Outcome outcome = RunOnce(form, {}, sc, cc, b);
                    EXPECT_EQ(outcome.cycles,
                              static_cast<uint64_t>(outcome.branched ? taken : notTaken));
                    (outcome.branched ? sawTaken : sawNotTaken) = true;
                }
            }
        }
        EXPECT_TRUE(sawTaken);
        EXPECT_TRUE(sawNotTaken);
        ++run;
    }
    EXPECT_EQ(run, 608u);
}

TEST(Forms, MinimumModeCallsAndReturnsCostOneCycleLess) {
    Options minimum;
    minimum.stackMode = StackMode::kMinimum;
    for (const InstructionForm& form : toolchain::InstructionForms()) {
        const bool framed = form.mnemonic == "CARS" || form.mnemonic == "CARL" ||
                            form.mnemonic == "CALL" || form.mnemonic == "RET" ||
                            form.mnemonic == "RETE" || form.mnemonic == "RETS" ||
                            form.mnemonic == "INT";
        if (!framed)
            continue;
        SCOPED_TRACE(form.Written());
        const int taken = std::atoi(form.cycles.c_str());
        // Z and C set: every call form with a condition among C, Z is taken.
        const Outcome outcome = RunOnce(form, minimum, kFlagZ | kFlagC, 0x00, 0x02);
        if (outcome.branched) {
            EXPECT_EQ(outcome.cycles, static_cast<uint64_t>(taken - 1));
        }
    }
    Options model1;
    model1.model = Model::kModel1;
    const InstructionForm* ret = toolchain::FormAt(std::vector<uint8_t>{0xF8});
    EXPECT_EQ(RunOnce(*ret, model1, 0, 0, 0).cycles, 3u);
}

TEST(Forms, UndefinedCodesStopTheRun) {
    std::vector<std::vector<uint8_t>> codes = {{0x7C}, {0xFE}};
    for (int page : {0xCE, 0xCF}) {
        for (int code = 0; code < 256; ++code) {
            const std::vector<uint8_t> bytes = {static_cast<uint8_t>(page),
                                                static_cast<uint8_t>(code)};
            if (!toolchain::FormAt(bytes))
                codes.push_back(bytes);
        }
    }
    EXPECT_EQ(codes.size(), 2u + 34u + 122u);
    for (const std::vector<uint8_t>& code : codes) {
        Simulator simulator = testing::WithCode(kAt, code);
        simulator.registers().pc = kAt;
        std::optional<StopReport> stop = simulator.Step();
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(stop->reason, StopReason::kUndefinedCode);
        EXPECT_EQ(stop->where.address, kAt);
        EXPECT_EQ(stop->cycles, 0u);
    }
}

TEST(Forms, ModelsWithoutBanksOrMultiplierTrapTheirForms) {
    struct Case {
        Model model;
        std::vector<uint8_t> code;
        bool defined;
    };
    const Case cases[] = {
        {Model::kModel0, {0xCE, 0xD8}, false},  // MLT
        {Model::kModel1, {0xCE, 0xD8}, true},
        {Model::kModel2, {0xCE, 0xD9}, false},  // DIV
        {Model::kModel3, {0xCE, 0xD9}, true},
        {Model::kModel1, {0xCE, 0xC4, 0x02}, false},  // LD NB,#bb
        {Model::kModel2, {0xCE, 0xC4, 0x02}, true},
        {Model::kModel0, {0xCF, 0xB9}, false},  // PUSH ALE
    };
    for (const Case& c : cases) {
        Options options;
        options.model = c.model;
        Simulator simulator = testing::WithCode(kAt, c.code, options);
        simulator.registers().pc = kAt;
        simulator.registers().a = 1;
        std::optional<StopReport> stop = simulator.Step();
        EXPECT_EQ(stop.has_value(), !c.defined) << static_cast<int>(c.model);
    }
}

}  // namespace
}  // namespace cuffware::simulator
