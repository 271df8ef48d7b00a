// Runs of routines: the sentinel return, banked calls in both stack modes,
// INT and RETE, interrupt requests and their priority, HALT, zero division,
// and the stops for the stack region and the cycle limit.
#include <gtest/gtest.h>

#include "simulated.h"

namespace cuffware::simulator {
namespace {

using testing::Poke;
using testing::WithCode;

TEST(Run, CallReturnsThroughTheSentinel) {
    Simulator simulator = WithCode(0x1000, {0x80, 0xF8});  // INC A; RET
    const StopReport report = simulator.Call(0x1000);
    EXPECT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.where.address, 0x1001u);
    EXPECT_EQ(report.cycles, 2u + 4u);
    EXPECT_EQ(report.instructions, 2u);
    EXPECT_EQ(report.registers.a, 1);
    EXPECT_EQ(report.registers.sp, 0x2000);
    EXPECT_EQ(report.deepestStack, 0x1FFD);
    EXPECT_EQ(report.stackBytesUsed, 3u);
    ASSERT_EQ(report.lastInstructions.size(), 2u);
    EXPECT_EQ(report.lastInstructions[0].address, 0x1000u);
}

// 1000: LD NB,#03; CARL 8000 (bank 3: 018000); NOP; RET. 018000: LD A,#42; RET.
Simulator BankedProgram(StackMode mode) {
    Options options;
    options.stackMode = mode;
    Simulator simulator =
        WithCode(0x1000, {0xCE, 0xC4, 0x03, 0xF2, 0xFB, 0x6F, 0xFF, 0xF8}, options);
    simulator.Load(ProgramFromImage(std::vector<uint8_t>{0xB0, 0x42, 0xF8}, 0x18000));
    simulator.AddBreakpoint(0x18002);
    return simulator;
}

TEST(Run, BankedCallStacksTheOldBankInMaximumMode) {
    Simulator simulator = BankedProgram(StackMode::kMaximum);
    StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kBreakpoint);
    EXPECT_EQ(report.where.address, 0x18002u);
    EXPECT_EQ(report.registers.cb, 3);
    EXPECT_EQ(report.registers.nb, 3);
    EXPECT_EQ(report.registers.sp, 0x1FFA);
    EXPECT_EQ(simulator.ReadMemory(0x1FFC), 0x01);  // the caller's bank
    EXPECT_EQ(simulator.ReadMemory(0x1FFB), 0x10);
    EXPECT_EQ(simulator.ReadMemory(0x1FFA), 0x06);
    report = simulator.Run();
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.cb, 1);
    EXPECT_EQ(report.registers.nb, 1);
    EXPECT_EQ(report.registers.a, 0x42);
    EXPECT_EQ(report.cycles, 4u + 6u + 2u + 4u + 2u + 4u);
}

TEST(Run, BankedCallKeepsTheNewBankInMinimumMode) {
    Simulator simulator = BankedProgram(StackMode::kMinimum);
    StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kBreakpoint);
    EXPECT_EQ(report.registers.sp, 0x1FFC);
    EXPECT_EQ(simulator.ReadMemory(0x1FFD), 0x10);
    EXPECT_EQ(simulator.ReadMemory(0x1FFC), 0x06);
    report = simulator.Run();
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.cb, 3);  // RET does not restore it
    EXPECT_EQ(report.registers.nb, 3);
    EXPECT_EQ(report.cycles, 4u + 5u + 2u + 3u + 2u + 3u);
}

TEST(Run, IntStacksScAndReteRestoresIt) {
    // 1000: INT [40]; RET. 1100: LD SC,#00; RETE. Vector 0040 -> 1100.
    Simulator simulator = WithCode(0x1000, {0xFC, 0x40, 0xF8});
    simulator.Load(ProgramFromImage(std::vector<uint8_t>{0x9F, 0x00, 0xF9}, 0x1100));
    Poke(simulator, 0x0040, {0x00, 0x11});
    simulator.registers().sc = 0x43;
    simulator.AddBreakpoint(0x1102);
    StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kBreakpoint);
    EXPECT_EQ(report.registers.sp, 0x2000 - 3 - 4);
    EXPECT_EQ(simulator.ReadMemory(0x1FF9), 0x43);  // SC, below ret(L) 02, ret(H) 10, CB 01
    EXPECT_EQ(simulator.ReadMemory(0x1FFA), 0x02);
    EXPECT_EQ(simulator.ReadMemory(0x1FFB), 0x10);
    EXPECT_EQ(simulator.ReadMemory(0x1FFC), 0x01);
    report = simulator.Run();
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.sc, 0x43);
    EXPECT_EQ(report.cycles, 8u + 3u + 5u + 4u);
}

// 1000: NOP x4; RET. 1100: INC B; RETE (vector 10 -> 1100), and at 1200:
// INC L; RETE (vector 12 -> 1200).
Simulator InterruptProgram() {
    Simulator simulator = WithCode(0x1000, {0xFF, 0xFF, 0xFF, 0xFF, 0xF8});
    simulator.Load(ProgramFromImage(std::vector<uint8_t>{0x81, 0xF9}, 0x1100));
    simulator.Load(ProgramFromImage(std::vector<uint8_t>{0x82, 0xF9}, 0x1200));
    Poke(simulator, 0x0010, {0x00, 0x11, 0x00, 0x12});
    return simulator;
}

TEST(Run, InterruptAcceptedOnlyAboveTheCurrentLevel) {
    Simulator simulator = InterruptProgram();
    simulator.registers().sc = 0x40;  // level 1
    simulator.RequestInterrupt(0x10, 1);
    StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.b, 0);  // priority 1 is not above level 1

    Simulator second = InterruptProgram();
    second.registers().sc = 0x40;
    second.RequestInterrupt(0x10, 2, 4);
    report = second.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.b, 1);
    EXPECT_EQ(report.registers.sc, 0x40);
    EXPECT_EQ(report.cycles, 4u * 2u + 5u + 2u + 5u + 4u);
}

TEST(Run, HigherPriorityFirstAndTheHandlerMasksLowerOnes) {
    Simulator simulator = InterruptProgram();
    simulator.registers().sc = 0x00;
    simulator.RequestInterrupt(0x10, 1);
    simulator.RequestInterrupt(0x12, 3);
    simulator.AddBreakpoint(0x1201);
    StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kBreakpoint);
    EXPECT_EQ(report.registers.sc >> 6, 3);
    EXPECT_EQ(report.registers.b, 0);
    report = simulator.Run();
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.l, 1);
    EXPECT_EQ(report.registers.b, 1);  // accepted once the level fell back to 0
}

TEST(Run, NonMaskableRequestIgnoresTheLevel) {
    Simulator simulator = InterruptProgram();
    simulator.registers().sc = 0xC0;
    simulator.RequestInterrupt(0x10, 0);
    const StopReport report = simulator.Call(0x1000);
    EXPECT_EQ(report.registers.b, 1);
}

TEST(Run, HaltWaitsForTheRequestAndCountsIdleCycles) {
    // 1000: HALT; RET
    Simulator simulator = WithCode(0x1000, {0xCE, 0xAE, 0xF8});
    simulator.Load(ProgramFromImage(std::vector<uint8_t>{0x81, 0xF9}, 0x1100));
    Poke(simulator, 0x0010, {0x00, 0x11});
    simulator.registers().sc = 0x00;
    simulator.RequestInterrupt(0x10, 1, 100);
    const StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.b, 1);
    EXPECT_EQ(report.idleCycles, 97u);
    EXPECT_EQ(report.cycles, 3u + 5u + 2u + 5u + 4u);
}

TEST(Run, HaltWithInterruptsMaskedStops) {
    for (std::vector<uint8_t> code : {std::vector<uint8_t>{0xCE, 0xAE}, {0xCE, 0xAF}}) {
        Simulator simulator = WithCode(0x1000, code);
        simulator.RequestInterrupt(0x10, 2);
        const StopReport report = simulator.Call(0x1000);  // SC is C0 after reset
        EXPECT_EQ(report.reason, StopReason::kHalted);
        EXPECT_EQ(report.where.address, 0x1000u);
        EXPECT_EQ(report.detail, "interrupts masked (I1 I0 = 3)");
    }
}

TEST(Run, ZeroDivisionWithoutHandlerStops) {
    Simulator simulator = WithCode(0x1000, {0xFF, 0xCE, 0xD9, 0xF8});
    const StopReport report = simulator.Call(0x1000);
    EXPECT_EQ(report.reason, StopReason::kZeroDivision);
    EXPECT_EQ(report.where.address, 0x1001u);
    EXPECT_EQ(report.cycles, 2u + 13u);
}

TEST(Run, StackLeavingItsRegionStops) {
    Options options;
    options.stackLow = 0x1FF0;
    Simulator simulator = WithCode(0x1000, {0xA0, 0xF1, 0xFE}, options);  // PUSH BA; JRS -2
    const StopReport report = simulator.Call(0x1000);
    EXPECT_EQ(report.reason, StopReason::kStackOverflow);
    EXPECT_EQ(report.registers.sp, 0x1FEF);
    EXPECT_EQ(report.where.address, 0x1000u);
}

TEST(Run, PoppingAboveTheCallersStackStops) {
    Simulator simulator = WithCode(0x1000, {0xA8, 0xA8, 0xA8});  // POP BA x3
    const StopReport report = simulator.Call(0x1000);
    EXPECT_EQ(report.reason, StopReason::kStackOverflow);
}

TEST(Run, CycleLimitStopsAnEndlessLoop) {
    Options options;
    options.cycleLimit = 1001;
    Simulator simulator = WithCode(0x1000, {0xF1, 0xFF}, options);  // JRS to itself
    const StopReport report = simulator.Call(0x1000);
    EXPECT_EQ(report.reason, StopReason::kCycleLimit);
    EXPECT_EQ(report.cycles, 1002u);
    EXPECT_EQ(report.where.Text(), "0x001000");
}

}  // namespace
}  // namespace cuffware::simulator
