// The sim88 program's command line, output and exit status.
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "toolchain/object/s_records.h"
#include "toolchain/simulator/sim88.h"
#include "tools/toolchain/tool_runner.h"

namespace cuffware::simulator {
namespace {

class Sim88 : public ::testing::Test {
  protected:
    void Write(const std::string& name, const std::string& content) { dir_.Write(name, content); }

    int Run(const std::vector<std::string>& args) {
        const toolchain::testing::ToolRun run =
            toolchain::testing::RunTool(RunSim88, args, dir_.path());
        out_ = run.out;
        err_ = run.err;
        return run.status;
    }

    cuffware::testing::TempDir dir_;
    std::string out_, err_;
};

// 010000 Main: LD A,#07; CARS Beep (outside); Done: RET
const std::string kRecords =
    toolchain::SRecord('2', 3, 0x10000, std::string("\xB0\x07\xF0\x10\xF8", 5)) + "\r\n" +
    toolchain::SRecord('8', 3, 0x10000, {}) + "\r\n";
const std::string kMap =
    "LC88 LOCATE MAP\r\nOUTPUT app.sre\r\nSECTION .text START 010000 SIZE 5\r\n"
    "SYMBOL Main 010000\r\nSYMBOL Done 010004\r\nEND\r\n";

TEST_F(Sim88, RunsTheStartLabelAndReports) {
    Write("app.sre", kRecords);
    Write("app.map", kMap);
    Write("sdk.equ", "Beep equ 0x010013\r\n");
    EXPECT_EQ(Run({"app.sre", "--map=app.map", "--equ=sdk.equ", "--start=Main", "--set=B=0x12"}), 0)
        << err_;
    const std::string& out = out_;
    EXPECT_NE(out.find("stop: returned at 0x010004 (Done)"), std::string::npos) << out;
    EXPECT_NE(out.find("cycles: 15, instructions: 3"), std::string::npos) << out;
    EXPECT_NE(out.find("A=07 B=12"), std::string::npos) << out;
    EXPECT_NE(out.find("SDK calls: 1\n  Beep at 0x010013 from 0x010004"), std::string::npos) << out;
    EXPECT_NE(out.find("deepest stack: SP=1FFA (6 bytes)"), std::string::npos) << out;
}

TEST_F(Sim88, TraceBreakpointAndMinimumMode) {
    Write("app.sre", kRecords);
    Write("app.map", kMap);
    EXPECT_EQ(Run({"app.sre", "--map=app.map", "--break=Done", "--trace", "--mode=min"}), 0);
    const std::string& out = out_;
    EXPECT_EQ(out.find("010000  B0 07        LD A,#0x07"), 0u) << out;
    EXPECT_NE(out.find("stop: breakpoint at 0x010004 (Done)"), std::string::npos) << out;
    EXPECT_NE(out.find("cycles: 9,"), std::string::npos) << out;  // 2 + 4 + 3 in min mode
}

TEST_F(Sim88, SourceLinesFromTheListing) {
    Write("app.sre", kRecords);
    Write("app.map", kMap);
    Write("app.lst",
          "; FILE app.asm\r\n"
          "     3  000000  B0 07        LD A,#7\r\n"
          "     4  000002  F0 10        CARS Beep\r\n"
          "     5                       ; done\r\n"
          "     6  000004  F8           RET\r\n");
    EXPECT_EQ(Run({"app.sre", "--map=app.map", "--listing=app.lst", "--listing-at=0x10000"}), 0)
        << err_;
    EXPECT_NE(out_.find("stop: returned at 0x010004 (Done, app.asm:6)"), std::string::npos) << out_;
    Write("bad.lst", "     3  000000  B0 07        LD A,#7\r\n");  // no file heading
    EXPECT_EQ(Run({"app.sre", "--listing=bad.lst"}), 1);
    EXPECT_EQ(err_, "bad.lst:1: error: cannot read line\n");
}

TEST_F(Sim88, OtherStopsFail) {
    Write("loop.bin", std::string("\xF1\xFF", 2));
    EXPECT_EQ(Run({"loop.bin", "-b0x1000", "--cycles=100"}), 1);
    EXPECT_NE(out_.find("stop: cycle limit at 0x001000: limit 100 cycles"), std::string::npos)
        << out_;
    Write("div.bin", std::string("\xCE\xD9", 2));
    EXPECT_EQ(Run({"div.bin", "-b0x1000", "--model=1"}), 1);
    EXPECT_NE(out_.find("stop: zero division"), std::string::npos);
    EXPECT_EQ(Run({"div.bin", "-b0x1000", "--model=2"}), 1);
    EXPECT_NE(out_.find("stop: undefined code at 0x001000: operation code CE D9"),
              std::string::npos)
        << out_;
}

TEST_F(Sim88, BadCommandLines) {
    Write("app.sre", kRecords);
    EXPECT_EQ(Run({"app.sre", "--model=4"}), 1);
    EXPECT_EQ(err_, "command line: error: no such model '--model=4'\n");
    EXPECT_EQ(Run({"app.sre", "--start=Nowhere"}), 1);
    EXPECT_EQ(err_, "command line: error: no label or address 'Nowhere'\n");
    EXPECT_EQ(Run({"app.sre", "--set=Q=1"}), 1);
    EXPECT_EQ(Run({"app.sre", "--mode=middle"}), 1);
    EXPECT_EQ(Run({"app.sre", "--frobnicate"}), 1);
    EXPECT_EQ(Run({}), 1);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out_.find("--trace"), std::string::npos);
}

}  // namespace
}  // namespace cuffware::simulator
