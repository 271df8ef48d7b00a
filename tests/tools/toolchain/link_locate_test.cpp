#include <gtest/gtest.h>

#include <filesystem>

#include "project/text_file.h"
#include "tool_runner.h"
#include "toolchain/expression.h"

namespace cuffware::toolchain {
namespace {

using cuffware::testing::TempDir;
using testing::BuildSection;
using testing::RunTool;
using testing::ToolRun;

long long HexField(std::string_view text) {
    return *NumberValue("0x" + std::string(text));
}

struct Record {
    char type;
    long long address;
    std::string data;
};

// Reads an S-record line back, checking its length and checksum.
Record ParseRecord(std::string_view line) {
    EXPECT_EQ(line[0], 'S');
    int addressDigits = line[1] == '0' ? 4 : 6;
    long long count = HexField(line.substr(2, 2));
    EXPECT_EQ(line.size(), static_cast<size_t>(4 + 2 * count)) << line;
    long long sum = 0;
    for (size_t i = 2; i < line.size(); i += 2)
        sum += HexField(line.substr(i, 2));
    EXPECT_EQ(sum & 0xFF, 0xFF) << "checksum of " << line;
    Record record{line[1], HexField(line.substr(4, addressDigits)), {}};
    for (size_t i = 4 + addressDigits; i + 2 < line.size(); i += 2)
        record.data += static_cast<char>(HexField(line.substr(i, 2)));
    return record;
}

std::vector<Record> ParseRecords(const std::string& text) {
    std::vector<Record> records;
    for (std::string_view line : SplitLines(text))
        records.push_back(ParseRecord(line));
    return records;
}

// 40 bytes 0..39 at 0x12340, a global at the end.
void WriteSection(const TempDir& dir, const std::string& name) {
    std::string source = "        DEFSECT \".text\", CODE AT 0x12340\r\n        SECT \".text\"\r\n";
    for (int i = 0; i < 40; i += 8) {
        source += "        DB ";
        for (int j = i; j < i + 8; ++j)
            source += std::to_string(j) + (j + 1 < i + 8 ? ", " : "\r\n");
    }
    source += "        GLOBAL  SectionEnd\r\nSectionEnd:\r\n";
    dir.Write(name + ".asm", source);
}

TEST(Lc88, WritesS0S2AndS8RecordsAtTheLocatedAddress) {
    TempDir dir;
    testing::WriteOptionFiles(dir);
    WriteSection(dir, "common");
    ToolRun run = BuildSection(dir, "common");
    ASSERT_EQ(run.status, 0) << run.err;

    std::vector<Record> records = ParseRecords(dir.Read("common.sre"));
    ASSERT_EQ(records.size(), 4u);  // -f2b32: 32 + 8 data bytes
    EXPECT_EQ(records[0].type, '0');
    EXPECT_EQ(records[0].data, "common");
    EXPECT_EQ(records[1].type, '2');
    EXPECT_EQ(records[1].address, 0x12340);
    EXPECT_EQ(records[1].data.size(), 32u);
    EXPECT_EQ(records[2].address, 0x12360);
    EXPECT_EQ(records[2].data.size(), 8u);
    EXPECT_EQ(records[2].data[7], 39);
    EXPECT_EQ(records[3].type, '8');
    EXPECT_EQ(records[3].address, 0x12340);
    EXPECT_TRUE(dir.Read("common.map").find("SYMBOL SectionEnd 012368") != std::string::npos);
}

TEST(Lc88, RefusesAnOutputFormatOtherThanSRecords) {
    TempDir dir;
    testing::WriteOptionFiles(dir);
    WriteSection(dir, "state0");
    dir.Write("lccmd.cmd", "-f3 -ds1c88349.dsc\r\n");
    ToolRun run = BuildSection(dir, "state0");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "lccmd.cmd:1: unsupported output format '-f3' (2 is Motorola S-records, "
              "optionally bN data bytes a record)\n");
    EXPECT_FALSE(dir.Exists("state0.sre"));
    EXPECT_FALSE(dir.Exists("state0.map"));
}

TEST(Lk88, FindsTheDescriptionFileHereOrInEtcBesideTheProgram) {
    TempDir dir;
    testing::WriteOptionFiles(dir);
    WriteSection(dir, "param");
    ASSERT_EQ(RunTool(RunAs88, {"param.asm", "-fascmd.cmd"}, dir.path()).status, 0);
    std::vector<std::string> link = {"param.obj", "-o", "param.out", "-flkcmd.cmd"};

    EXPECT_EQ(RunTool(RunLk88, link, dir.path()).status, 0);  // ../etc beside the program
    ToolRun nowhere = RunTool(RunLk88, link, dir.path(), dir / "bin");
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_EQ(nowhere.err, "lkcmd.cmd:1: processor description file 's1c88349.dsc' not found\n");
    EXPECT_FALSE(dir.Exists("param.out"));

    dir.Write("S1C88349.DSC", "; found without regard to case\n");
    EXPECT_EQ(RunTool(RunLk88, link, dir.path(), dir / "bin").status, 0);
    EXPECT_TRUE(dir.Exists("param.out"));
}

TEST(Lk88, RefusesAnInputThatIsNotAnObject) {
    TempDir dir;
    testing::WriteOptionFiles(dir);
    dir.Write("state1.obj",
              "AS88 OBJECT 1\r\nSECTION .text 010000 3\r\nBYTES 0000 0102\r\nEND\r\n");
    ToolRun run = RunTool(RunLk88, {"state1.obj", "-o", "state1.out", "-flkcmd.cmd"}, dir.path());
    EXPECT_EQ(run.err, "state1.obj: section holds 2 bytes, SECTION says 3\n");

    ToolRun notOut =
        RunTool(RunLc88, {"state1.obj", "-o", "state1.sre", "-flccmd.cmd"}, dir.path());
    EXPECT_EQ(notOut.err, "state1.obj:1: not a file of this stage (expected \"LK88 LINKED 1\")\n");
    EXPECT_FALSE(dir.Exists("state1.out"));
    EXPECT_FALSE(dir.Exists("state1.sre"));
}

TEST(MaplistAndLabelset, TurnTheCommonMapIntoEquatesForTheStates) {
    TempDir dir;
    testing::WriteOptionFiles(dir);
    WriteSection(dir, "common");
    ASSERT_EQ(BuildSection(dir, "common").status, 0);
    ToolRun maplist = RunTool(RunMaplist, {"common.map"}, dir.path());
    ASSERT_EQ(maplist.status, 0) << maplist.err;
    EXPECT_EQ(dir.Read("common.sy"), "SectionEnd 012368\r\n");
    ToolRun labelset = RunTool(RunLabelset, {"common.sy"}, dir.path());
    ASSERT_EQ(labelset.status, 0) << labelset.err;
    EXPECT_EQ(dir.Read("common.equ"),
              "; global labels of the common section\r\nSectionEnd equ 0x012368\r\n");

    dir.Write("common.sy", "SectionEnd 012368\r\nbroken\r\n");
    EXPECT_EQ(RunTool(RunLabelset, {"common.sy"}, dir.path()).err,
              "common.sy:2: cannot read line\n");
    EXPECT_FALSE(dir.Exists("common.equ"));
    EXPECT_EQ(RunTool(RunMaplist, {"none.map"}, dir.path()).err, "none.map: cannot open\n");
    EXPECT_FALSE(dir.Exists("none.sy"));
}

TEST(StandIns, SayWhatTheyAreAndNeedOneInput) {
    TempDir dir;
    for (testing::ToolEntry tool : {RunAs88, RunLk88, RunLc88, RunMaplist, RunLabelset}) {
        ToolRun help = RunTool(tool, {"--help"}, dir.path());
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("a stand-in for the vendor's tool"), std::string::npos);
        EXPECT_NE(help.out.find("Models "), std::string::npos);
        ToolRun none = RunTool(tool, {}, dir.path());
        EXPECT_EQ(none.status, 1);
        EXPECT_EQ(none.err.substr(0, 38), "command line: expected one input file\n");
    }
}

}  // namespace
}  // namespace cuffware::toolchain
