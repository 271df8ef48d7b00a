// Calls outside the program (stubs), breakpoints by label, the warnings for
// unset memory and writes into code, and programs read from the locator's
// S-records and map.
#include <gtest/gtest.h>

#include "simulated.h"
#include "toolchain/object/s_records.h"

namespace cuffware::simulator {
namespace {

using testing::Poke;
using testing::WithCode;

// 1000: LD A,#01; CARS 1050 (outside the program); RET
Simulator CallingOut() {
    return WithCode(0x1000, {0xB0, 0x01, 0xF0, 0x4D, 0xF8});
}

TEST(Stubs, CallOutsideTheProgramIsLoggedAndReturns) {
    Simulator simulator = CallingOut();
    const StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kReturned);
    ASSERT_EQ(report.stubCalls.size(), 1u);
    const StubCall& call = report.stubCalls[0];
    EXPECT_EQ(call.name, "sub_001050");
    EXPECT_EQ(call.address, 0x1050u);
    EXPECT_EQ(call.returnAddress, 0x1004u);
    EXPECT_EQ(call.registers.a, 1);
    EXPECT_EQ(call.cycle, 2u + 5u);
    EXPECT_EQ(report.cycles, 2u + 5u + 4u + 4u);
    ASSERT_EQ(report.stubCounts.size(), 1u);
    EXPECT_EQ(report.stubCounts[0].calls, 1);
    EXPECT_TRUE(report.stubCounts[0].Holds());
}

TEST(Stubs, NamedByTheSdkEquates) {
    Simulator simulator = CallingOut();
    Result<std::vector<Label>> labels =
        LabelsFromEquates("Sdk_Beep equ 0x001050\r\nSdk_Other equ 0x2000\r\n", "sdk.equ");
    ASSERT_TRUE(labels.ok());
    simulator.AddLabels(*labels);
    EXPECT_EQ(simulator.Call(0x1000).stubCalls.at(0).name, "Sdk_Beep");
    EXPECT_FALSE(LabelsFromEquates("Sdk_Beep equ nothing\n", "sdk.equ").ok());
}

TEST(Stubs, BehaviourSetsRegistersMemoryAndTheReturnValue) {
    Simulator simulator = CallingOut();
    StubBehaviour behaviour;
    behaviour.registers = {{Register::kSC, kFlagC}, {Register::kIX, 0x4321}};
    behaviour.memory = {{0x3000, {0x09, 0x08}}};
    behaviour.returnValue = 0x1234;
    behaviour.expectedCalls = 2;
    simulator.AddStub({"Sdk_Read", 0x1050, behaviour});
    const StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.ba(), 0x1234);
    EXPECT_EQ(report.registers.ix, 0x4321);
    EXPECT_EQ(report.registers.sc, kFlagC);
    EXPECT_EQ(simulator.ReadMemory(0x3001), 0x08);
    EXPECT_EQ(report.stubCalls.at(0).name, "Sdk_Read");
    EXPECT_FALSE(report.stubCounts.at(0).Holds());
    EXPECT_NE(FormatStopReport(report).find("Sdk_Read called 1 times, expected 2"),
              std::string::npos);
}

TEST(Breakpoints, ByLabelAndResumed) {
    Simulator simulator = WithCode(0x1000, {0x80, 0x80, 0x80, 0xF8});  // INC A x3; RET
    const Label labels[] = {{"Start", 0x1000}, {"Third", 0x1002}};
    simulator.AddLabels(labels);
    ASSERT_EQ(simulator.Resolve("Third"), 0x1002u);
    EXPECT_EQ(simulator.Resolve("0x1001"), 0x1001u);
    EXPECT_EQ(simulator.Resolve("Nowhere"), std::nullopt);
    simulator.AddBreakpoint(*simulator.Resolve("Third"));
    StopReport report = simulator.Call(*simulator.Resolve("Start"));
    ASSERT_EQ(report.reason, StopReason::kBreakpoint);
    EXPECT_EQ(report.where.Text(), "0x001002 (Third)");
    EXPECT_EQ(report.registers.a, 2);
    EXPECT_EQ(report.cycles, 4u);
    report = simulator.Run();
    EXPECT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.a, 3);
    EXPECT_EQ(simulator.Locate(0x1003).Text(), "0x001003 (Third+0x1)");
}

TEST(Warnings, ReadOfUnsetMemoryOncePerAddress) {
    // LD A,[HL]; LD A,[HL]; RET with HL = 3000 never set
    Simulator simulator = WithCode(0x1000, {0x45, 0x45, 0xF8});
    Set(simulator.registers(), Register::kHL, 0x3000);
    const StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.warnings.size(), 1u);
    const Warning& warning = report.warnings[0];
    EXPECT_EQ(warning.kind, Warning::Kind::kUninitialisedRead);
    EXPECT_EQ(warning.address, 0x3000u);
    EXPECT_EQ(warning.instruction.address, 0x1000u);
    EXPECT_EQ(warning.Text(), "read of unset memory 0x003000 by LD A,[HL] at 0x001000");
}

TEST(Warnings, MemoryTheRunSetIsNoWarning) {
    Simulator simulator = WithCode(0x1000, {0x45, 0xF8});
    Set(simulator.registers(), Register::kHL, 0x3000);
    Poke(simulator, 0x3000, {0x00});
    EXPECT_TRUE(simulator.Call(0x1000).warnings.empty());
}

TEST(Warnings, WriteIntoTheProgramsCode) {
    Simulator simulator = WithCode(0x1000, {0x68, 0xF8});  // LD [HL],A; RET
    Set(simulator.registers(), Register::kHL, 0x1001);
    simulator.registers().a = 0xF8;
    const StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0].kind, Warning::Kind::kCodeWrite);
    EXPECT_EQ(report.warnings[0].address, 0x1001u);
}

TEST(Programs, FromSRecordsAndTheMap) {
    const std::string records =
        toolchain::SRecord('2', 3, 0x10000, std::string("\xB0\x07\xF8", 3)) + "\r\n" +
        toolchain::SRecord('8', 3, 0x10000, {}) + "\r\n";
    const std::string map =
        "LC88 LOCATE MAP\r\nOUTPUT app.sre\r\nSECTION .text START 010000 SIZE 3\r\n"
        "SYMBOL Main 010000\r\nSYMBOL Done 010002\r\nEND\r\n";
    Result<Program> program = ProgramFromSRecords(records, "app.sre", map, "app.map");
    ASSERT_TRUE(program.ok()) << program.error().Text();
    ASSERT_EQ(program->sections.size(), 1u);
    EXPECT_EQ(program->sections[0].address, 0x10000u);
    EXPECT_EQ(program->sections[0].size, 3u);
    program->lines = {{0x10000, "app.asm", 4}, {0x10002, "app.asm", 5}};
    Simulator simulator;
    simulator.Load(*program);
    simulator.registers().sp = 0x2000;
    const StopReport report = simulator.Call(*simulator.Resolve("Main"));
    ASSERT_EQ(report.reason, StopReason::kReturned);
    EXPECT_EQ(report.registers.a, 7);
    EXPECT_EQ(report.where.Text(), "0x010002 (Done, app.asm:5)");

    Result<Program> broken = ProgramFromSRecords(
        records, "app.sre", "LC88 LOCATE MAP\r\nSECTION .text START\r\n", "app.map");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().line, 2);
}

TEST(Trace, LineShowsTheInstructionAndWhatChanged) {
    Simulator simulator = WithCode(0x1000, {0xB0, 0x42, 0xA0, 0xF8});  // LD A,#42; PUSH BA; RET
    const StopReport report = simulator.Call(0x1000);
    ASSERT_EQ(report.lastInstructions.size(), 3u);
    const std::string load = FormatTraceEntry(report.lastInstructions[0]);
    EXPECT_NE(load.find("LD A,#0x42"), std::string::npos) << load;
    EXPECT_NE(load.find(" A=42"), std::string::npos) << load;
    const std::string push = FormatTraceEntry(report.lastInstructions[1]);
    EXPECT_NE(push.find("SP=1FFB [001FFC]=00 [001FFB]=42"), std::string::npos) << push;
}

}  // namespace
}  // namespace cuffware::simulator
