// Local labels, macro-local labels, REPT blocks and alignment: the bytes,
// the listing rows and the refusals.

#include <gtest/gtest.h>

#include "assembled_text.h"
#include "toolchain/linker/linker.h"
#include "toolchain/locator/locator.h"
#include "toolchain/object/symbol_files.h"

namespace cuffware::toolchain {
namespace {

using testing::AssembledText;
using testing::AssembleLines;

std::string Bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}

Result<Assembly> AssembleSource(const std::string& source) {
    return Assemble(
        "t.asm", [&](const std::string&) -> Result<std::string> { return source; }, true);
}

// The listing of a source whose first section must hold these bytes.
std::string ListingOf(const std::string& source, const std::string& bytes) {
    Result<Assembly> assembly = AssembleSource(source);
    if (!assembly.ok()) {
        ADD_FAILURE() << source << assembly.error().message;
        return {};
    }
    EXPECT_EQ(assembly->module.sections[0].bytes, bytes) << source;
    return assembly->listing;
}

std::string InText(const std::string& lines) {
    return "  DEFSECT \".text\", CODE AT 10000h\n  SECT \".text\"\n" + lines;
}

// Whether the listing has a row for the line with this number, address,
// bytes ("B0 03") and text.
bool Listed(const std::string& listing, int line, const std::string& address,
            const std::string& bytes, const std::string& text) {
    size_t start = 0;
    while (start < listing.size()) {
        size_t end = listing.find('\n', start);
        std::string row = listing.substr(start, end - start);
        if (!row.empty() && row.back() == '\r')
            row.pop_back();
        std::string number = std::to_string(line) + "  ";
        size_t numberAt = row.find_first_not_of(' ');
        if (numberAt != std::string::npos && row.compare(numberAt, number.size(), number) == 0 &&
            row.find(address + "  " + bytes) != std::string::npos && row.ends_with(text))
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

// Every kind of listing row, column for column as the listing has always
// laid them out (the rows are put together in place, with no string made
// per column): a number and an address right-aligned in six columns, four
// bytes a row and more on rows of their own, xx for a byte lc88 fills, the
// cycles, an empty line with no trailing blanks, a long DS cut at 64 bytes
// with its count, and +OFFSET in a section lc88 places.
TEST(As88Dialect, ListingRowsKeepTheirColumns) {
    Result<Assembly> assembly = AssembleSource(
        "  DEFSECT \".text\", CODE AT 10000h\n  DEFSECT \"data\", DATA\n  SECT \".text\"\n"
        "Start:  JRS  NZ,Start ; a comment\n        LD   BA,#Table\n\n"
        "        DB   1,2,3,4,5,6,7,8,9\n        DS   70\n  SECT \"data\"\n"
        "Table:  DW   Start, Table\n        CARL Start\n");
    ASSERT_TRUE(assembly.ok()) << assembly.error().message;
    const std::string& listing = assembly->listing;
    EXPECT_TRUE(listing.starts_with(
        "; FILE t.asm\r\n"
        "     1                              DEFSECT \".text\", CODE AT 10000h\r\n"
        "     2                              DEFSECT \"data\", DATA\r\n"
        "     3                              SECT \".text\"\r\n"
        "     4  010000  E7 FF        2    Start:  JRS  NZ,Start ; a comment\r\n"
        "     5  010002  C4 xx xx     3            LD   BA,#Table\r\n"
        "     6\r\n"
        "     7  010005  01 02 03 04               DB   1,2,3,4,5,6,7,8,9\r\n"
        "        010009  05 06 07 08\r\n"
        "        01000D  09\r\n"
        "     8  01000E  00 00 00 00               DS   70\r\n"
        "        010012  00 00 00 00\r\n"))
        << listing;
    EXPECT_TRUE(
        listing.ends_with("        01004A  00 00 00 00\r\n"
                          "                                  (70 bytes in all)\r\n"
                          "     9                              SECT \"data\"\r\n"
                          "    10  +00000  00 00 xx xx       Table:  DW   Start, Table\r\n"
                          "    11  +00004  F2 xx xx     6            CARL Start\r\n"))
        << listing;
}

// Each routine has its own .loop; a local label on a label's line is that
// label's; Scope.name reaches one from elsewhere; ".x" in a string stays.
TEST(As88Dialect, LocalLabelsBelongToTheOrdinaryLabelBefore) {
    std::string listing = ListingOf(InText("First:  LD   A,#3\n"
                                           ".loop:  DEC  A\n"
                                           "        JRS  NZ,.loop\n"
                                           "        DB   '.x', LOW(.loop)\n"
                                           "Second: JRS  Z,.done\n"
                                           ".loop:  DEC  A\n"
                                           "        JRS  NZ,.loop\n"
                                           "        JRS  Z,First.loop\n"
                                           ".done:  NOP\n"),
                                    Bytes({0xB0, 0x03, 0x88, 0xE7, 0xFE, '.', 'x', 0x02, 0xE6, 0x06,
                                           0x88, 0xE7, 0xFE, 0xE6, 0xF4, 0xFF}));
    EXPECT_TRUE(Listed(listing, 4, "010002", "88", ".loop:  DEC  A")) << listing;
    EXPECT_TRUE(Listed(listing, 8, "01000A", "88", ".loop:  DEC  A")) << listing;
    EXPECT_TRUE(Listed(listing, 9, "01000B", "E7 FE", "JRS  NZ,.loop")) << listing;
}

// The map lists a local label under its routine, by its qualified name.
TEST(As88Dialect, MapListsLocalLabelsUnderTheirRoutine) {
    Result<Assembly> assembly =
        AssembleSource(InText("First:  LD   A,#3\n"
                              ".loop:  DEC  A\n"
                              "        JRS  NZ,.loop\n"
                              "Second: NOP\n"));
    ASSERT_TRUE(assembly.ok()) << assembly.error().message;
    std::string map = FormatMap(assembly->module, "t.sre");
    EXPECT_NE(map.find("  LABEL First 010000 SIZE 5\r\n"
                       "    LABEL First.loop 010002 SIZE 3\r\n"
                       "  LABEL Second 010005 SIZE 1\r\n"),
              std::string::npos)
        << map;
}

// Each use of the macro has a loop label of its own ("Delay.loop.N"), which
// the listing shows in the lines of the use.
TEST(As88Dialect, MacroLocalLabelsAreNewAtEachUse) {
    std::string listing = ListingOf(
        InText("Delay   macro count\n"
               "        LOCAL loop ; names first\n"
               "        LD   B,#count\n"
               "loop:   DJR  NZ,loop\n"
               "        endm\n"
               "Beep:   Delay 1\n"
               ".again: Delay 2\n"
               "        Delay 3\n"
               "        JRS  NZ,.again\n"),
        Bytes({0xB1, 1, 0xF5, 0xFF, 0xB1, 2, 0xF5, 0xFF, 0xB1, 3, 0xF5, 0xFF, 0xE7, 0xF7}));
    for (int use = 1; use <= 3; ++use) {
        std::string label = "Delay.loop." + std::to_string(use);
        EXPECT_TRUE(Listed(listing, 7 + use, Hex(0x10000 + use * 4 - 2, 6), "F5 FF",
                           label + ":   DJR  NZ," + label))
            << listing;
    }
}

// REPT blocks nest, take LOCAL names and a label of their own line; REPT 0
// assembles nothing, not even what could not be assembled.
TEST(As88Dialect, RepeatBlocksRepeatTheirLines) {
    std::string listing =
        ListingOf(InText("Twice   equ  1 + 1\n"
                         "        REPT Twice\n"
                         "        LOCAL skip\n"
                         "        JRS  Z,skip\n"
                         "skip:   REPT 3\n"
                         "        NOP\n"
                         "        ENDR\n"
                         "        endr\n"
                         "Table:  REPT 0\n"
                         "        DB   Missing\n"
                         "        ENDR\n"
                         "        DW   Table\n"),
                  Bytes({0xE6, 1, 0xFF, 0xFF, 0xFF, 0xE6, 1, 0xFF, 0xFF, 0xFF, 0x0A, 0x00}));
    EXPECT_TRUE(Listed(listing, 6, "010005", "E6 01", "JRS  Z,REPT.skip.2")) << listing;
    EXPECT_TRUE(Listed(listing, 7, "010007", "", "REPT.skip.2:   REPT 3")) << listing;
    EXPECT_TRUE(Listed(listing, 8, "010009", "FF", "NOP")) << listing;
    EXPECT_TRUE(Listed(listing, 11, "01000A", "", "Table:  REPT 0")) << listing;
    EXPECT_EQ(listing.find("Missing"), std::string::npos) << listing;
}

// ALIGN pads with zero bytes to the next multiple, and nothing where the
// address already is one.
TEST(As88Dialect, AlignPadsToTheNextMultiple) {
    const std::pair<const char*, std::string> cases[] = {
        {"  DB 1\n  ALIGN 4\n  ALIGN 4\n  ALIGN 1\n  DB 2\n  ALIGN 2\n  DB 3\n",
         Bytes({1, 0, 0, 0, 2, 0, 3})},
        {"  ALIGN 10000h\n  DB 4\n", Bytes({4})},
        {"  DS 3\n  ALIGN 8\nHere: DW Here\n", Bytes({0, 0, 0, 0, 0, 0, 0, 0, 8, 0})},
    };
    for (const auto& [lines, bytes] : cases) {
        AssembledText assembled = AssembleLines(lines);
        ASSERT_TRUE(assembled.ok) << lines << assembled.message;
        EXPECT_EQ(assembled.bytes, bytes) << lines;
    }
    Result<Assembly> assembly = AssembleSource(InText("  DB 1\n  ALIGN 4\n"));
    ASSERT_TRUE(assembly.ok());
    EXPECT_TRUE(Listed(assembly->listing, 4, "010001", "00 00 00", "ALIGN 4")) << assembly->listing;
}

// A section lc88 places lands at a multiple of its DEFSECT ALIGN, or of the
// largest ALIGN in it; the object carries it.
TEST(As88Dialect, SectionsAreLocatedAtTheirAlignment) {
    Result<Assembly> assembly = AssembleSource(
        "  DEFSECT \"head\", DATA\n"
        "  DEFSECT \"table\", DATA ALIGN 16\n"
        "  DEFSECT \"code\", CODE\n"
        "  DEFSECT \"fixed\", CODE AT 20000h ALIGN 100h\n"
        "  SECT \"head\"\n  DB 1, 2, 3\n"
        "  SECT \"table\"\n  DB 4\n"
        "  SECT \"code\"\n  NOP\n  ALIGN 2\n  ALIGN 8\n  DW $\n"
        "  SECT \"fixed\"\n  DB 5\n");
    ASSERT_TRUE(assembly.ok()) << assembly.error().message;
    const std::vector<Section>& sections = assembly->module.sections;
    EXPECT_EQ(sections[0].alignment, 1);
    EXPECT_EQ(sections[1].alignment, 16);
    EXPECT_EQ(sections[2].alignment, 8);
    EXPECT_EQ(sections[3].alignment, 256);

    std::string object = FormatModule(assembly->module, ModuleStage::kObject);
    EXPECT_NE(object.find("SECTION head DATA - 3\r\n"), std::string::npos) << object;
    EXPECT_NE(object.find("SECTION table DATA - 1 ALIGN 16\r\n"), std::string::npos) << object;
    Result<ObjectModule> read = ParseModule(object, ModuleStage::kObject, "t.obj");
    ASSERT_TRUE(read.ok()) << read.error().message;
    Result<ObjectModule> linked = Link({{"t.obj", *read}});
    ASSERT_TRUE(linked.ok());
    Result<ObjectModule> located = Locate(*linked, "t.out");
    ASSERT_TRUE(located.ok()) << located.error().message;
    EXPECT_EQ(located->sections[1].address, 0x10);
    EXPECT_EQ(located->sections[2].address, 0x18);
    EXPECT_EQ(located->sections[2].bytes, Bytes({0xFF, 0, 0, 0, 0, 0, 0, 0, 0x20, 0}));

    for (const char* bad : {"3", "0", "-4", "x"}) {
        std::string text = "AS88 OBJECT 2\r\nSOURCE t.asm\r\nSECTION s DATA - 0 ALIGN " +
                           std::string(bad) + "\r\nEND\r\n";
        EXPECT_FALSE(ParseModule(text, ModuleStage::kObject, "t.obj").ok()) << bad;
    }
}

// The new words leave what assembled before as it was: a macro of one of
// their names is still used, a symbol named ALIGN or AT in a DEFSECT address
// stays a symbol, and a macro's argument keeps its ".name" as written.
TEST(As88Dialect, OlderSourcesKeepTheirMeaning) {
    const std::pair<std::string, std::string> cases[] = {
        {InText("align macro n\n  DB n\n  endm\nrept macro\n  DB 5\n  endm\n"
                "local macro\n  DB 6\n  endm\n  ALIGN 7\n  REPT\n  LOCAL\n"
                "Twice macro\n  LOCAL\n  LOCAL\n  endm\n  Twice\n"
                "Text macro t\n  DB 't'\n  endm\n  Text .x\n"),
         Bytes({7, 5, 6, 6, 6, '.', 'x'})},
        {"align equ 10000h\nat equ 2\n  DEFSECT \".text\", CODE AT align + at\n"
         "  SECT \".text\"\n  DW $\n",
         Bytes({2, 0})},
        {"align equ 10000h\n  DEFSECT \".text\", CODE AT align ALIGN 2\n  SECT \".text\"\n"
         "  DW $\n",
         Bytes({0, 0})},
        {"  DEFSECT \".text\", CODE ALIGN 4 AT 10004h\n  SECT \".text\"\n  DW $\n", Bytes({4, 0})},
    };
    for (const auto& [source, bytes] : cases)
        ListingOf(source, bytes);
}

TEST(As88Dialect, RefusesWhatCannotBeMeant) {
    const std::pair<std::string, std::string> cases[] = {
        {".x: NOP\n", "t.asm:3: local label '.x' before any ordinary label"},
        {"  JRS NZ,.x\n", "t.asm:3: local label '.x' before any ordinary label"},
        {"A:\n.1x: NOP\n", "t.asm:4: bad label '.1x'"},
        {".x equ 1\n", "t.asm:3: bad name '.x' before equ"},
        {"  LOCAL a\n",
         "t.asm:3: LOCAL outside a macro (it stands at the start of a macro or "
         "REPT body)"},
        {"M macro\n  NOP\n  LOCAL a\n  endm\n  M\n",
         "t.asm:7: LOCAL outside a macro (it stands at the start of a macro or REPT body)"},
        {"M macro p\n  LOCAL a, P\n  endm\n  M 1\n", "t.asm:6: LOCAL name 'P' is given twice"},
        {"M macro\n  LOCAL 1a\n  endm\n  M\n", "t.asm:6: LOCAL expects names"},
        {"  REPT 2\n  NOP\n", "t.asm:3: REPT without ENDR"},
        {"  ENDR\n", "t.asm:3: ENDR without REPT"},
        {"  REPT -1\n  ENDR\n", "t.asm:3: REPT count -1 out of 0..65535"},
        {"  REPT 65536\n  ENDR\n", "t.asm:3: REPT count 65536 out of 0..65535"},
        {"  REPT Later\n  ENDR\nLater:\n",
         "t.asm:3: 'Later' must be known at this line (REPT), but it is defined further on, at "
         "t.asm:5"},
        {"  REPT Never\n  ENDR\n", "t.asm:3: undefined symbol 'Never'"},
        {"  REPT 1024\n  REPT 1024\n  ENDR\n  ENDR\n",
         "t.asm:4: macros and REPT blocks expand to more than 131072 lines"},
        {"A: REPT 2\n.x: NOP\n  ENDR\n", "t.asm:4: symbol 'A.x' already defined at t.asm:4"},
        {"M macro\n.x: NOP\n  endm\nB: M\n  M\n",
         "t.asm:7: symbol 'B.x' already defined at t.asm:6"},
        {"Grow macro a\n  Grow a a a a a a a a\n  endm\n  Grow x\n",
         "t.asm:6: a line of macro 'Grow' grows longer than 65536 characters when expanded"},
        {"  REPT 60000\n  NOP ; " + std::string(200, '-') + "\n  ENDR\n",
         "t.asm:3: macros and REPT blocks expand to more than 8388608 bytes"},
        {"  ALIGN 3\n", "t.asm:3: ALIGN expects a power of two of 1..65536, not 3"},
        {"  ALIGN 0\n", "t.asm:3: ALIGN expects a power of two of 1..65536, not 0"},
        {"  ALIGN 20000h\n", "t.asm:3: ALIGN expects a power of two of 1..65536, not 131072"},
        {"  DEFSECT \"f\", CODE AT 10001h ALIGN 2\n",
         "t.asm:3: section address 010001h is not a multiple of its ALIGN 2"},
        {"  DEFSECT \"f\", CODE ALIGN 2 ALIGN 4\n",
         "t.asm:3: DEFSECT expects \"name\", CODE or DATA, and AT address to fix its place"},
    };
    for (const auto& [lines, message] : cases) {
        AssembledText assembled = AssembleLines(lines);
        EXPECT_FALSE(assembled.ok) << lines;
        EXPECT_EQ(assembled.message, message) << lines;
    }
    std::string nested = "  NOP\n";
    for (int depth = 0; depth < 33; ++depth)
        nested = "  REPT 1\n" + nested + "  ENDR\n";
    EXPECT_EQ(AssembleLines(nested).message,
              "t.asm:35: macros and REPT blocks nested more than 32 deep");
    std::string longBlock = "  REPT 65535\n";
    for (int line = 0; line < 17; ++line)
        longBlock += "  NOP\n";
    EXPECT_EQ(AssembleLines(longBlock + "  ENDR\n").message,
              "t.asm:3: macros and REPT blocks expand to more than 131072 lines");
}

// The refusals of the new words are recorded like any other error: each at
// its line and column, and the lines after them still assembled and checked;
// a failed REPT line still defines its label.
TEST(As88Dialect, RefusalsAreReportedTogetherAndTheRunGoesOn) {
    AssemblyReport report =
        AssembleReporting("t.asm", [](const std::string&) -> Result<std::string> {
            return InText(
                ".x: NOP\n"
                "  ENDR\n"
                "  ALIGN 3\n"
                "  REPT -1\n  NOP\n  ENDR\n"
                "M macro\n  LOCAL 1a\n  endm\n  M\n"
                "Rows: REPT 1000000\n  NOP\n  ENDR\n"
                "A: DW Rows\n"
                ".y: JRS .z\n"
                "  REPT 2\n  NOP\n");
        });
    std::string printed;
    for (const SourceMessage& message : report.messages)
        printed += message.Text() + "\n";
    EXPECT_FALSE(report.assembly);
    EXPECT_EQ(printed,
              "t.asm:3:1: error: local label '.x' before any ordinary label\n"
              "t.asm:4:3: error: ENDR without REPT\n"
              "t.asm:5:3: error: ALIGN expects a power of two of 1..65536, not 3\n"
              "t.asm:6:3: error: REPT count -1 out of 0..65535\n"
              "t.asm:12:3: error: LOCAL expects names\n"
              "t.asm:13:7: error: REPT count 1000000 out of 0..65535\n"
              "t.asm:17:9: error: undefined symbol 'A.z'; did you mean 'A.y'?\n"
              "t.asm:18:3: error: REPT without ENDR\n");
}

}  // namespace
}  // namespace cuffware::toolchain
