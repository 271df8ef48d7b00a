#include <gtest/gtest.h>

#include "tool_runner.h"
#include "toolchain/assembler.h"
#include "toolchain/linker.h"
#include "toolchain/locator.h"
#include "toolchain/s_records.h"

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
         "state1.obj:1: not a file of this stage (expected \"LK88 LINKED 2\")\n",
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
                  "AS88 OBJECT 2\r\nSECTION .text CODE 010000 3\r\nBYTES 0000 0102\r\nEND\r\n");
        dir.Write("bad.sy", "SectionEnd 012368\r\nbroken\r\n");
        ToolRun run = RunTool(c.tool, c.args, dir.path());
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_EQ(run.err, testing::InDir(c.message, dir));
        EXPECT_FALSE(dir.Exists(c.notWritten)) << c.message;
    }
}

// Module a calls, loads and lists addresses of module b, whose data section
// has no place of its own and follows b's code section.
void WriteModules(const TempDir& dir) {
    testing::WriteOptionFiles(dir);
    dir.Write("a.asm",
              "  EXTERN Beep, Table\n"
              "  DEFSECT \"code\", CODE AT 20000h\n"
              "  SECT \"code\"\n"
              "Start: CARL Beep\n"
              "  LD HL,#Table+1\n"
              "  LD A,#LOW(Table)\n"
              "  JRS Start\n"
              "  DW Table, Beep\n"
              "  GLOBAL Start\n");
    dir.Write("b.asm",
              "  DEFSECT \"lib\", CODE AT 20040h\n"
              "  DEFSECT \"data\", DATA\n"
              "  SECT \"lib\"\n"
              "Beep: LD IX,#Table\n"
              "  RET\n"
              "  SECT \"data\"\n"
              "Table: DB 1, 2, 3\n"
              "  GLOBAL Beep, Table\n");
    dir.Write("far.asm",
              "  EXTERN Start\n"
              "  DEFSECT \"far\", CODE AT 20100h\n"
              "  SECT \"far\"\n"
              "  JRS Start\n");
}

ToolRun LinkAndLocate(const TempDir& dir, std::vector<std::string> objects) {
    for (const std::string& object : objects) {
        std::string source = object.substr(0, object.size() - 4) + ".asm";
        if (dir.Exists(source)) {
            ToolRun run = RunTool(RunAs88, {source, "-fascmd.cmd"}, dir.path());
            if (run.status != 0)
                return run;
        }
    }
    objects.insert(objects.end(), {"-o", "all.out", "-flkcmd.cmd"});
    ToolRun run = RunTool(RunLk88, objects, dir.path());
    if (run.status == 0)
        run = RunTool(RunLc88, {"all.out", "-o", "all.sre", "-flccmd.cmd"}, dir.path());
    return run;
}

TEST(LinkAndLocate, FillBranchesWordsAndImmediatesAcrossModulesAndSections) {
    TempDir dir;
    WriteModules(dir);
    ToolRun run = LinkAndLocate(dir, {"a.obj", "b.obj"});
    ASSERT_EQ(run.status, 0) << run.err;
    Result<std::vector<LoadedBytes>> image = ReadSRecords(dir.Read("all.sre"), "all.sre");
    ASSERT_TRUE(image.ok());
    ASSERT_EQ(image->size(), 2u);
    EXPECT_EQ((*image)[0].address, 0x20000);
    // CARL to 0x20040, LD HL,#0x0045, LD A,#0x44, JRS back 9, DW 0x0044, 0x0040.
    EXPECT_EQ((*image)[0].bytes, std::string("\xF2\x3E\x00\xC5\x45\x00\xB0\x44\xF1\xF7"
                                             "\x44\x00\x40\x00",
                                             14));
    EXPECT_EQ((*image)[1].address, 0x20040);
    EXPECT_EQ((*image)[1].bytes, std::string("\xC6\x44\x00\xF8\x01\x02\x03", 7));
    std::string map = dir.Read("all.map");
    EXPECT_NE(map.find("SECTION data START 020044 SIZE 3"), std::string::npos) << map;
    EXPECT_NE(map.find("SYMBOL Table 020044"), std::string::npos) << map;
}

TEST(LinkAndLocate, NameTheSymbolTheFilesAndTheLine) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"a.obj"}, "a.obj: undefined symbol 'Beep' (EXTERN here, GLOBAL in no module)\n"},
        {{"a.obj", "b.obj", "b2.obj"}, "b2.obj: symbol 'Beep' is defined in b.obj and in b2.obj\n"},
        {{"a.obj", "b.obj", "far.obj"},
         "far.asm:4: JRS rr reaches -128..127 bytes from its last byte; 0x020000 is -257 away\n"},
        {{"a.obj", "b.obj", "late.obj"}, "all.out: sections lib and late overlap at 0x020042\n"},
    };
    for (const auto& [objects, message] : cases) {
        TempDir dir;
        WriteModules(dir);
        dir.Write("late.asm", "  DEFSECT \"late\", DATA AT 20042h\n  SECT \"late\"\n  DB 0\n");
        ASSERT_EQ(RunTool(RunAs88, {"b.asm"}, dir.path()).status, 0);
        dir.Write("b2.obj", dir.Read("b.obj"));
        ToolRun run = LinkAndLocate(dir, objects);
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_EQ(run.err, message);
        EXPECT_FALSE(dir.Exists("all.sre")) << message;
    }
}

// In a section without AT even a branch to a known address waits for the
// locator, which counts it from where the section lands.
TEST(LinkAndLocate, CountBranchesFromWhereASectionWithoutAtLands) {
    std::string source =
        "  DEFSECT \"fixed\", CODE AT 10100h\n  DEFSECT \"free\", CODE\n"
        "  SECT \"fixed\"\n  NOP\n  SECT \"free\"\n  CARL 0C900h\n  JRS $\n";
    Result<Assembly> assembly =
        Assemble("t.asm", [&](const std::string&) -> Result<std::string> { return source; });
    ASSERT_TRUE(assembly.ok()) << assembly.error().message;
    EXPECT_EQ(assembly->module.sections[1].relocations.size(), 2u);
    Result<ObjectModule> linked = Link({{"t.obj", assembly->module}});
    ASSERT_TRUE(linked.ok());
    Result<ObjectModule> located = Locate(*linked, "t.out");
    ASSERT_TRUE(located.ok()) << located.error().message;
    EXPECT_EQ(located->sections[1].address, 0x10101);
    EXPECT_EQ(located->sections[1].bytes, std::string("\xF2\xFD\xC7\xF1\xFF", 5));
}

// An image at the address -b gives, S-records at theirs; a damaged record,
// or one writing an address again, is refused with its line.
TEST(Dis88, ReadsAnImageOrSRecordsBack) {
    TempDir dir;
    dir.Write("image.bin", std::string("\xCE\xD9\xF8", 3));
    dir.Write("code.sre", "S00700007465737438\r\nS2060100004501B2\r\nS804010000FA\r\n");
    dir.Write("bad.sre", "S00700007465737438\r\nS2060100004501B3\r\n");
    ToolRun image = RunTool(RunDis88, {"image.bin", "-b0x10000"}, dir.path());
    EXPECT_EQ(image.out, "010000  CE D9        DIV\n010002  F8           RET\n") << image.err;
    ToolRun records = RunTool(RunDis88, {"code.sre"}, dir.path());
    EXPECT_EQ(records.out, "010000  45           LD A,[HL]\n010001  01           ADD A,B\n")
        << records.err;
    ToolRun bad = RunTool(RunDis88, {"bad.sre"}, dir.path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "bad.sre:2: bad S-record checksum\n");
    // Records that contradict themselves are refused as the packaging refuses them.
    dir.Write("twice.sre", "S2060100004501B2\r\nS20501000045B4\r\n");
    ToolRun twice = RunTool(RunDis88, {"twice.sre"}, dir.path());
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err,
              "twice.sre:2: the record writes address 0x010000, which the record on line 1 "
              "writes already\n");
}

TEST(StandIns, SayWhatTheyAreAndNeedOneInput) {
    TempDir dir;
    for (testing::ToolEntry tool : {RunAs88, RunLk88, RunLc88, RunDis88, RunMaplist, RunLabelset}) {
        ToolRun help = RunTool(tool, {"--help"}, dir.path());
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("a stand-in for the vendor's tool"), std::string::npos);
        ToolRun none = RunTool(tool, {}, dir.path());
        EXPECT_EQ(none.status, 1);
        EXPECT_TRUE(none.err.starts_with(tool == RunLk88
                                             ? "command line: expected one or more input files\n"
                                             : "command line: expected one input file\n"));
    }
}

}  // namespace
}  // namespace cuffware::toolchain
