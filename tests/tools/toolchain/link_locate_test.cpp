#include <gtest/gtest.h>

#include "tool_runner.h"

namespace cuffware::toolchain {
namespace {

using cuffware::testing::TempDir;
using testing::BuildSection;
using testing::RunTool;
using testing::ToolRun;

// 40 bytes 0..39 at 0x12340, a global at the end.
void WriteSection(const TempDir& dir, const std::string& name) {
    std::string source = "        DEFSECT \".text\", CODE AT 0x12340\r\n        SECT \".text\"\r\n";
    for (int i = 0; i < 40; i += 8) {
        source += "        DB ";
        for (int j = i; j < i + 8; ++j)
            source += std::to_string(j) + (j + 1 < i + 8 ? ", " : "\r\n");
    }
    dir.Write(name + ".asm", source + "        GLOBAL  SectionEnd\r\nSectionEnd:\r\n");
}

// -f2b32: an S0 record with the name, 32 and 8 data bytes in S2 records, and
// an S8 record with the start address.
TEST(Lc88, WritesS0S2AndS8RecordsAtTheLocatedAddress) {
    TempDir dir;
    testing::WriteOptionFiles(dir);
    WriteSection(dir, "common");
    ToolRun run = BuildSection(dir, "common");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.Read("common.sre"),
              "S0090000636F6D6D6F6E6D\r\n"
              "S224012340000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F87\r\n"
              "S20C012360202122232425262753\r\nS80401234097\r\n");
    EXPECT_NE(dir.Read("common.map").find("SYMBOL SectionEnd 012368"), std::string::npos);
}

TEST(Lk88, FindsTheDescriptionFileHereWithoutRegardToCase) {
    TempDir dir;
    testing::WriteOptionFiles(dir);
    WriteSection(dir, "param");
    ASSERT_EQ(RunTool(RunAs88, {"param.asm", "-fascmd.cmd"}, dir.path()).status, 0);
    dir.Write("S1C88349.DSC", "; found without regard to case\n");
    std::vector<std::string> link = {"param.obj", "-o", "param.out", "-flkcmd.cmd"};
    EXPECT_EQ(RunTool(RunLk88, link, dir.path(), dir / "bin").status, 0);
    EXPECT_TRUE(dir.Exists("param.out"));
}

struct RefusalCase {
    testing::ToolEntry tool;
    std::vector<std::string> args;
    std::string message;
    const char* notWritten;
};

// Each refusal leaves no output. common.obj and common.out are in place;
// programs lie in a bin without ../etc, so only the demo's description file
// is found.
TEST(LinkAndLocate, RefuseWhatTheyCannotUseAndWriteNothing) {
    const std::string link = "-flkcmd.cmd", locate = "-flccmd.cmd";
    const RefusalCase cases[] = {
        {RunLc88,
         {"common.out", "-o", "common.sre", "-flc3.cmd"},
         "lc3.cmd:1: unsupported output format '-f3' (2 is Motorola S-records, optionally bN "
         "data bytes a record)\n",
         "common.sre"},
        {RunLk88,
         {"common.obj", "-o", "x.out", "-fnodsc.cmd"},
         "nodsc.cmd:1: processor description file 'none.dsc' not found\n",
         "x.out"},
        {RunLk88,
         {"state1.obj", "-o", "state1.out", link},
         "state1.obj: section holds 2 bytes, SECTION says 3\n",
         "state1.out"},
        {RunLc88,
         {"state1.obj", "-o", "state1.sre", locate},
         "state1.obj:1: not a file of this stage (expected \"LK88 LINKED 1\")\n",
         "state1.sre"},
        {RunLabelset, {"bad.sy"}, "bad.sy:2: cannot read line\n", "bad.equ"},
        {RunMaplist, {"none.map"}, "none.map: cannot open (looked for DIR/none.map)\n", "none.sy"},
    };
    for (const RefusalCase& c : cases) {
        TempDir dir;
        testing::WriteOptionFiles(dir);
        WriteSection(dir, "common");
        ASSERT_EQ(RunTool(RunAs88, {"common.asm", "-fascmd.cmd"}, dir.path()).status, 0);
        ASSERT_EQ(RunTool(RunLk88, {"common.obj", "-o", "common.out", link}, dir.path()).status, 0);
        dir.Write("lc3.cmd", "-f3 -ds1c88349.dsc\r\n");
        dir.Write("nodsc.cmd", "-dnone.dsc\r\n");
        dir.Write("state1.obj",
                  "AS88 OBJECT 1\r\nSECTION .text 010000 3\r\nBYTES 0000 0102\r\nEND\r\n");
        dir.Write("bad.sy", "SectionEnd 012368\r\nbroken\r\n");
        ToolRun run = RunTool(c.tool, c.args, dir.path());
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_EQ(run.err, testing::InDir(c.message, dir));
        EXPECT_FALSE(dir.Exists(c.notWritten)) << c.message;
    }
}

TEST(StandIns, SayWhatTheyAreAndNeedOneInput) {
    TempDir dir;
    for (testing::ToolEntry tool : {RunAs88, RunLk88, RunLc88, RunMaplist, RunLabelset}) {
        ToolRun help = RunTool(tool, {"--help"}, dir.path());
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("a stand-in for the vendor's tool"), std::string::npos);
        ToolRun none = RunTool(tool, {}, dir.path());
        EXPECT_EQ(none.status, 1);
        EXPECT_TRUE(none.err.starts_with("command line: expected one input file\n"));
    }
}

}  // namespace
}  // namespace cuffware::toolchain
