#include <gtest/gtest.h>

#include "tool_runner.h"
#include "toolchain/assembler/assembler.h"
#include "toolchain/linker/linker.h"
#include "toolchain/locator/locator.h"
#include "toolchain/object/s_records.h"
#include "toolchain/object/symbol_files.h"

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
    dir.Write("S1C88349.DSC", "; found without regard to case\ncpu S1C88349\n");
    std::vector<std::string> link = {"param.obj", "-o", "param.out", "-flkcmd.cmd"};
    EXPECT_EQ(RunTool(RunLk88, link, dir.path(), dir / "bin").status, 0);
    EXPECT_TRUE(dir.Exists("param.out"));
}

// The tools know the processor: without -d they link and locate wherever
// they run, with no description file anywhere.
TEST(LinkAndLocate, NeedNoDescriptionFile) {
    TempDir dir;
    WriteSection(dir, "common");
    const std::string nowhere = dir / "bin";
    ASSERT_EQ(RunTool(RunAs88, {"common.asm"}, dir.path(), nowhere).status, 0);
    ToolRun link = RunTool(RunLk88, {"common.obj", "-o", "common.out"}, dir.path(), nowhere);
    ASSERT_EQ(link.status, 0) << link.err;
    ToolRun locate = RunTool(RunLc88, {"common.out", "-o", "common.sre"}, dir.path(), nowhere);
    ASSERT_EQ(locate.status, 0) << locate.err;
    EXPECT_TRUE(dir.Exists("common.sre"));
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
         "lc3.cmd:1: error: unsupported output format '-f3' (2 is Motorola S-records, optionally "
         "bN "
         "data bytes a record)\n",
         "common.sre"},
        {RunLk88,
         {"common.obj", "-o", "x.out", "-fnodsc.cmd"},
         "nodsc.cmd:1: error: processor description file 'none.dsc' not found\n",
         "x.out"},
        {RunLc88,
         {"common.out", "-o", "x.sre", "-dz80.dsc"},
         "z80.dsc: error: not a description of an S1C88 processor (no \"cpu S1C88...\" line)\n",
         "x.sre"},
        {RunLk88,
         {"state1.obj", "-o", "state1.out", link},
         "state1.obj: error: section holds 2 bytes, SECTION says 3\n",
         "state1.out"},
        {RunLc88,
         {"state1.obj", "-o", "state1.sre", locate},
         "state1.obj:1: error: not a file of this stage (expected \"LK88 LINKED 2\")\n",
         "state1.sre"},
        {RunLk88,
         {"ghost.obj", "-o", "ghost.out"},
         "ghost.asm:7: error: undefined symbol 'Ghost'\n",
         "ghost.out"},
        {RunLabelset, {"bad.sy"}, "bad.sy:2: error: cannot read line\n", "bad.equ"},
        {RunMaplist,
         {"none.map"},
         "none.map: error: cannot open (looked for DIR/none.map)\n",
         "none.sy"},
    };
    for (const RefusalCase& c : cases) {
        TempDir dir;
        testing::WriteOptionFiles(dir);
        WriteSection(dir, "common");
        ASSERT_EQ(RunTool(RunAs88, {"common.asm", "-fascmd.cmd"}, dir.path()).status, 0);
        ASSERT_EQ(RunTool(RunLk88, {"common.obj", "-o", "common.out", link}, dir.path()).status, 0);
        dir.Write("lc3.cmd", "-f3 -ds1c88349.dsc\r\n");
        dir.Write("nodsc.cmd", "-dnone.dsc\r\n");
        dir.Write("z80.dsc", "cpu Z80 ; cpu S1C88349\r\n");
        dir.Write("state1.obj",
                  "AS88 OBJECT 2\r\nSECTION .text CODE 010000 3\r\nBYTES 0000 0102\r\nEND\r\n");
        dir.Write("bad.sy", "SectionEnd 012368\r\nbroken\r\n");
        dir.Write("ghost.obj",
                  "AS88 OBJECT 2\r\nSECTION .text CODE 010000 2\r\nBYTES 0000 0000\r\n"
                  "RELOC 0000 WORD Ghost 0 WHOLE ghost.asm:7\tDW\r\nEND\r\n");
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

// as88's listing marks what the locator fills: "xx" for a byte of a field,
// "+offset" for an address in a section it places. lc88 lists each object
// again with the located addresses and the image's bytes.
TEST(Listing, MarksWhatTheLocatorFillsThenShowsTheLocatedImage) {
    TempDir dir;
    WriteModules(dir);
    dir.Write("a.asm", dir.Read("a.asm") + "\tCARS NZ,Start\n");  // a tab stays in the text
    for (const char* source : {"a.asm", "b.asm"})
        ASSERT_EQ(RunTool(RunAs88, {source, "-fascmd.cmd"}, dir.path()).status, 0);
    const std::pair<const char*, const char*> before[] = {
        {"a.lst", "     4  020000  F2 xx xx     6    Start: CARL Beep\r\n"},
        {"a.lst", "     8  02000A  xx xx xx xx         DW Table, Beep\r\n"},
        {"a.lst", "    10  02000E  E3 F1        5:2  \tCARS NZ,Start\r\n"},
        {"b.lst", "     7  +00000  01 02 03          Table: DB 1, 2, 3\r\n"},
        {"b.lst", "     6                              SECT \"data\"\r\n"},
    };
    for (const auto& [file, row] : before)
        EXPECT_NE(dir.Read(file).find(row), std::string::npos) << row << dir.Read(file);
    ToolRun run = LinkAndLocate(dir, {"a.obj", "b.obj"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::pair<const char*, const char*> after[] = {
        {"a.lst", "     4  020000  F2 3E 00     6    Start: CARL Beep\r\n"},
        {"a.lst", "     8  02000A  44 00 40 00         DW Table, Beep\r\n"},
        {"b.lst", "     7  020044  01 02 03          Table: DB 1, 2, 3\r\n"},
    };
    for (const auto& [file, row] : after)
        EXPECT_NE(dir.Read(file).find(row), std::string::npos) << row << dir.Read(file);
    EXPECT_EQ(dir.Read("b.lst").find("+0"), std::string::npos);
    EXPECT_EQ(dir.Read("a.lst").find("xx"), std::string::npos);
    // An object assembled again since it was linked no longer fits the
    // located sections: lc88 says so and writes neither S-records nor map.
    dir.Write("a.asm", dir.Read("a.asm") + "  NOP\n");
    ASSERT_EQ(RunTool(RunAs88, {"a.asm", "-fascmd.cmd"}, dir.path()).status, 0);
    ToolRun stale = RunTool(RunLc88, {"all.out", "-o", "all.sre"}, dir.path());
    EXPECT_EQ(stale.status, 1);
    EXPECT_EQ(stale.err, "a.obj: error: changed since it was linked; link it again\n");
    EXPECT_FALSE(dir.Exists("all.sre"));
}

TEST(LinkAndLocate, NameTheSymbolTheFilesAndTheLine) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"a.obj"}, "a.obj: error: undefined symbol 'Beep' (EXTERN here, GLOBAL in no module)\n"},
        {{"a.obj", "b.obj", "b2.obj"},
         "b2.obj: error: symbol 'Beep' is defined in b.obj and in b2.obj\n"},
        {{"a.obj", "b.obj", "far.obj"},
         "far.asm:4: error: JRS rr reaches -128..127 bytes from its last byte; 0x020000 is -257 "
         "away\n"},
        {{"a.obj", "b.obj", "late.obj"},
         "all.out: error: section lib of b.obj and section late of late.obj overlap at 0x020042\n"},
        {{"a.obj", "b.obj", "edge.obj"},
         "all.out: error: section edge of edge.obj at 0x02FFFE runs over the end of its 64 KiB "
         "bank at "
         "0x02FFFF\n"},
        {{"a.obj", "b.obj", "huge.obj"},
         "huge.asm:4: error: DW takes an address plus an addend beyond 64 bits\n"},
    };
    for (const auto& [objects, message] : cases) {
        TempDir dir;
        WriteModules(dir);
        dir.Write("late.asm", "  DEFSECT \"late\", DATA AT 20042h\n  SECT \"late\"\n  DB 0\n");
        dir.Write("edge.asm", "  DEFSECT \"edge\", DATA AT 2FFFEh\n  SECT \"edge\"\n  DB 0,1,2\n");
        dir.Write("huge.asm",
                  "  EXTERN Table\n  DEFSECT \"huge\", DATA AT 30000h\n  SECT \"huge\"\n"
                  "  DW Table + ((7FFFFFFFh << 32) | 0FFFFFFFFh)\n");
        ASSERT_EQ(RunTool(RunAs88, {"b.asm"}, dir.path()).status, 0);
        dir.Write("b2.obj", dir.Read("b.obj"));
        ToolRun run = LinkAndLocate(dir, objects);
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_EQ(run.err, message);
        EXPECT_FALSE(dir.Exists("all.sre")) << message;
    }
}

// The map lists every label under its section in address order with its
// size: a routine's up to the next routine, a local label ("Scope.name")
// indented under its routine and up to the next label; maplist still reads
// only the global symbols from it.
TEST(Lc88, MapsEveryLabelWithItsSize) {
    ObjectModule located;
    located.sections.push_back({"code", "CODE", 0x20000, std::string(20, '\0'), {}});
    located.sections.push_back({"table", "DATA", 0x20014, std::string(3, '\0'), {}});
    located.labels = {{"Start", 0, 0}, {"Start.loop", 0, 2},    {"Start.x", 0, 5}, {"Next.a", 0, 8},
                      {"Next", 0, 8},  {"Delay.loop.1", 0, 12}, {"Digits", 1, 0}};
    located.globals = {{"Start", 0x20000, std::nullopt}};
    std::string map = FormatMap(located, "all.sre");
    EXPECT_EQ(map,
              "LC88 LOCATE MAP\r\nOUTPUT all.sre\r\n"
              "SECTION code START 020000 SIZE 20 CODE\r\n"
              "  LABEL Start 020000 SIZE 8\r\n"
              "    LABEL Start.loop 020002 SIZE 3\r\n"
              "    LABEL Start.x 020005 SIZE 3\r\n"
              "    LABEL Next.a 020008 SIZE 4\r\n"
              "  LABEL Next 020008 SIZE 4\r\n"
              "  LABEL Delay.loop.1 02000C SIZE 8\r\n"
              "SECTION table START 020014 SIZE 3 DATA\r\n"
              "  LABEL Digits 020014 SIZE 3\r\n"
              "START 020000\r\nSYMBOL Start 020000\r\nEND\r\n");
    Result<std::vector<GlobalSymbol>> symbols = MapSymbols(map, "all.map");
    ASSERT_TRUE(symbols.ok()) << symbols.error().message;
    ASSERT_EQ(symbols->size(), 1u);
    EXPECT_EQ((*symbols)[0].value, 0x20000);
}

// Addresses are written as three bytes' digits where they fit 24 bits; a
// start at the very end of the space, a label past it and a symbol of 32
// bits keep all their digits, and a name longer than the room made ahead
// for the map's text is written whole.
TEST(Lc88, WritesEveryDigitOfAnAddressBeyond24Bits) {
    ObjectModule located;
    located.sections.push_back({".a", "CODE", 0x1000000, "", {}});
    std::string bytes;
    for (char c = 0; c < 16; ++c)
        bytes += c;
    located.sections.push_back({".b", "CODE", 0xFFFFF0, bytes, {}});
    const std::string longName(300, 'L');
    located.labels = {{"x", 1, 0}, {longName, 1, 0x20}};
    located.globals = {{"G", 0xFFFFFFFF, std::nullopt}};
    EXPECT_EQ(FormatMap(located, "e.sre"),
              "LC88 LOCATE MAP\r\nOUTPUT e.sre\r\n"
              "SECTION .a START 1000000 SIZE 0 CODE\r\n"
              "SECTION .b START FFFFF0 SIZE 16 CODE\r\n"
              "  LABEL x FFFFF0 SIZE 32\r\n"
              "  LABEL " +
                  longName +
                  " 1000010 SIZE -16\r\n"
                  "START 1000000\r\nSYMBOL G FFFFFFFF\r\nEND\r\n");
    EXPECT_EQ(FormatSRecords(located, "e", 16),
              "S00400006596\r\n"
              "S214FFFFF0000102030405060708090A0B0C0D0E0F85\r\n"
              "S8041000000FB\r\n");
}

// A record's checksum is summed eight bytes at a time: records of every
// length, of the largest bytes and of mixed ones, must read back through
// the reader, which checks each sum.
TEST(Lc88, RecordsOfEveryLengthCarryTheirChecksum) {
    for (char fill : {'\xFF', '\x5A'}) {
        ObjectModule located;
        std::string bytes(250, fill);
        for (size_t i = 0; i < bytes.size(); i += 3)
            bytes[i] = static_cast<char>(i * 7);
        located.sections.push_back({".t", "CODE", 0x10000, bytes, {}});
        for (size_t perRecord = 1; perRecord <= 250; ++perRecord) {
            Result<std::vector<LoadedBytes>> read =
                ReadSRecords(FormatSRecords(located, "t", perRecord), "t.sre");
            ASSERT_TRUE(read.ok()) << perRecord << ": " << read.error().message;
            ASSERT_EQ(read->size(), 1u);
            EXPECT_EQ((*read)[0].bytes, bytes) << perRecord;
        }
    }
}

// A run whose output would be one of its inputs refuses before it deletes
// anything: the input stays as it was.
TEST(Tools, RefuseToWriteOverTheirInput) {
    const std::pair<testing::ToolEntry, std::vector<std::string>> cases[] = {
        {RunAs88, {"keep.lst", "-l"}},
        {RunAs88, {"keep.obj"}},
        {RunLk88, {"keep.obj", "-o", "KEEP.OBJ"}},
        {RunLc88, {"keep.map", "-o", "keep.sre"}},
        {RunMaplist, {"keep.sy"}},
        {RunLabelset, {"./keep.equ"}},
    };
    for (const auto& [tool, args] : cases) {
        TempDir dir;
        for (const char* name : {"keep.lst", "keep.obj", "keep.map", "keep.sy", "keep.equ"})
            dir.Write(name, "kept\n");
        ToolRun run = RunTool(tool, args, dir.path());
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_NE(run.err.find(": is an input of this run and would be written over; nothing was "
                               "deleted or written\n"),
                  std::string::npos)
            << run.err;
        for (const char* name : {"keep.lst", "keep.obj", "keep.map", "keep.sy", "keep.equ"})
            EXPECT_EQ(dir.Read(name), "kept\n") << args[0] << " " << name;
    }
}

// The S0 record holds the source's name; a long one is cut so the record's
// count fits its byte.
TEST(Lc88, CutsALongNameInTheS0RecordToWhatFits) {
    ObjectModule located;
    located.sections.push_back({".text", "CODE", 0x10000, "\x01", {}});
    std::string records = FormatSRecords(located, std::string(305, 'n'), 16);
    std::string s0 = records.substr(0, records.find("\r\n"));
    EXPECT_EQ(s0.substr(0, 4), "S0FF");
    EXPECT_EQ(s0.size(), 4 + 2 * 255u);
    Result<std::vector<LoadedBytes>> read = ReadSRecords(records, "t.sre");
    ASSERT_TRUE(read.ok()) << read.error().message;
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
    ToolRun image = RunTool(RunDis88, {"image.bin", "-b0x10000", "--listing"}, dir.path());
    EXPECT_EQ(image.out, "010000  CE D9        DIV\n010002  F8           RET\n") << image.err;
    ToolRun records = RunTool(RunDis88, {"code.sre"}, dir.path());
    EXPECT_EQ(records.out,
              "$CASE ON\n"
              "        DEFSECT \"s_010000\", CODE AT 0x010000\n"
              "        SECT    \"s_010000\"\n"
              "        LD A,[HL]                       ; 010000  45\n"
              "        ADD A,B                         ; 010001  01\n")
        << records.err;
    ToolRun bad = RunTool(RunDis88, {"bad.sre"}, dir.path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "bad.sre:2: error: bad S-record checksum\n");
    // Records that contradict themselves are refused as the packaging refuses them.
    dir.Write("twice.sre", "S2060100004501B2\r\nS20501000045B4\r\n");
    ToolRun twice = RunTool(RunDis88, {"twice.sre"}, dir.path());
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err,
              "twice.sre:2: error: the record writes address 0x010000, which the record on line 1 "
              "writes already\n");
}

// dis88's source with the map assembles, links and locates again to the
// same bytes: labels at their addresses (a local one by its qualified
// name), the DATA section as DB lines, a call into the SDK by the name an
// equate file gives its address.
TEST(Dis88, WithTheMapWritesASourceThatAssemblesToTheSameBytes) {
    TempDir dir;
    WriteModules(dir);
    dir.Write("sdk.asm",
              "  DEFSECT \"sdk\", CODE AT 20080h\n  SECT \"sdk\"\nSdk: NOP\n.again: CARL 0C900h\n"
              "  JRL 0C018h\n  JRS .again\n");
    dir.Write("sdk.h", "; the SDK's entry points\nINPUT_GET_KEY  equ  0xC900\nTIME equ 0C018h\n");
    ToolRun run = LinkAndLocate(dir, {"a.obj", "b.obj", "sdk.obj"});
    ASSERT_EQ(run.status, 0) << run.err;
    ToolRun dis = RunTool(RunDis88, {"all.sre", "--map", "--equ=sdk.h"}, dir.path());
    ASSERT_EQ(dis.status, 0) << dis.err;
    for (const char* part :
         {"INPUT_GET_KEY equ 0x00C900\n", "        DEFSECT \"data\", DATA AT 0x020044\n",
          "Table:\n        DB 0x01,0x02,0x03 ", "Start:\n        CARL Beep ", "        JRS Start ",
          "        CARL INPUT_GET_KEY ", "        JRL TIME ", "Sdk.again:\n",
          "        JRS Sdk.again "})
        EXPECT_NE(dis.out.find(part), std::string::npos) << part << "\n" << dis.out;
    Result<std::vector<LoadedBytes>> first = ReadSRecords(dir.Read("all.sre"), "all.sre");
    dir.Write("again.asm", dis.out);
    ToolRun again = LinkAndLocate(dir, {"again.obj"});
    ASSERT_EQ(again.status, 0) << again.err << dis.out;
    Result<std::vector<LoadedBytes>> second = ReadSRecords(dir.Read("all.sre"), "all.sre");
    ASSERT_TRUE(first.ok() && second.ok());
    ASSERT_EQ(first->size(), second->size());
    for (size_t i = 0; i < first->size(); ++i) {
        EXPECT_EQ((*first)[i].address, (*second)[i].address);
        EXPECT_EQ((*first)[i].bytes, (*second)[i].bytes);
    }
}

TEST(Tools, SayWhatTheyAreAndNeedOneInput) {
    TempDir dir;
    for (testing::ToolEntry tool : {RunAs88, RunLk88, RunLc88, RunDis88, RunMaplist, RunLabelset}) {
        ToolRun help = RunTool(tool, {"--help"}, dir.path());
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(
            help.out.find("our toolchain for the S1C88 core, part of the Cuffware Builder.\n"),
            std::string::npos)
            << help.out;
        EXPECT_EQ(help.out.find("stand-in"), std::string::npos);
        ToolRun none = RunTool(tool, {}, dir.path());
        EXPECT_EQ(none.status, 1);
        EXPECT_TRUE(none.err.starts_with(
            tool == RunLk88 ? "command line: error: expected one or more input files\n"
                            : "command line: error: expected one input file\n"));
    }
}

}  // namespace
}  // namespace cuffware::toolchain
