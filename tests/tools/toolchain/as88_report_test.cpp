#include <gtest/gtest.h>

#include <map>

#include "assembled_text.h"
#include "toolchain/assembler/quoted_text.h"

namespace cuffware::toolchain {
namespace {

using testing::AssembleLines;

const std::string kSection = "  DEFSECT \".text\", CODE AT 010000h\n  SECT \".text\"\n";

// Assembles files held in memory; t.asm is the source.
AssemblyReport Report(const std::map<std::string, std::string>& files) {
    return AssembleReporting("t.asm", [&](const std::string& path) -> Result<std::string> {
        auto it = files.find(path);
        if (it == files.end())
            return Diagnostic{path, 0, "cannot open: No such file or directory"};
        return it->second;
    });
}

std::string Printed(const AssemblyReport& report) {
    std::string text;
    for (const SourceMessage& message : report.messages)
        text += message.Text() + "\n";
    return text + report.CountText() + "\n";
}

// An equate is read where it stands: $ is the address of its line and a SET
// symbol the value it has there, though the equate is used further on.
TEST(As88Report, EquatesTakeDollarAndSetSymbolsAtTheirLine) {
    testing::AssembledText here = AssembleLines("  NOP\nHereE equ $\n  NOP\n  DW HereE\n", 0x10000);
    ASSERT_TRUE(here.ok) << here.message;
    EXPECT_EQ(here.bytes, std::string("\xFF\xFF\x01\x00", 4));
    testing::AssembledText set =
        AssembleLines("Cnt set 1\nX equ Cnt*10\n  DB X\nCnt set 5\n  DB X, Cnt\n");
    ASSERT_TRUE(set.ok) << set.message;
    EXPECT_EQ(set.bytes, "\x0A\x0A\x05");
    testing::AssembledText unset = AssembleLines("X equ Cnt\nCnt set 5\n  DB X\n");
    EXPECT_EQ(unset.message, "t.asm:3: SET symbol 'Cnt' has no value yet at the equ line");
}

// Every error in line order, each once, and none that only follows from
// another: a failed equate or a misspelt label is not reported again where
// it is used, and a failed line's label is still defined.
TEST(As88Report, ReportsEveryErrorOnceInLineOrder) {
    AssemblyReport report = Report({{"t.asm", "Bad equ 1 +\n" + kSection +
                                                  "  JRS Later\n"
                                                  "Here: LD A,#300\n"
                                                  "  DB Bad, 'abc\n"
                                                  "Later NOP\n"
                                                  "  JRS Here\n"
                                                  "  DS 2, 3\n"
                                                  "  BOGUS\n"}});
    EXPECT_FALSE(report.assembly);
    EXPECT_EQ(Printed(report),
              "t.asm:1:1: error: expression ends too early\n"
              "t.asm:5:7: error: LD A,#nn takes a value of -128..255, not 300\n"
              "t.asm:6:11: error: unterminated string\n"
              "t.asm:7:1: error: cannot read line: unknown instruction or directive 'Later'\n"
              "t.asm:9:7: error: unexpected ',' in expression\n"
              "t.asm:10:3: error: cannot read line: unknown instruction or directive 'BOGUS'\n"
              "6 errors\n");
}

TEST(As88Report, StopsAtTheLimitWithTheCount) {
    std::string source = kSection;
    for (int i = 0; i < 10000; ++i)
        source += "  LD A,[HL+" + std::to_string(i) + "]\n";
    AssemblyReport report = Report({{"t.asm", source}});
    EXPECT_EQ(report.errors, kMaxReportedErrors);
    EXPECT_TRUE(report.stoppedAtLimit);
    EXPECT_EQ(report.messages.back().line, 52);
    EXPECT_EQ(report.CountText(), "50 errors (stopped at the limit of 50)");

    // Errors found after the first pass (names used before they are
    // defined) stop at the limit too.
    std::string forward = kSection;
    for (int i = 0; i < 60; ++i)
        forward += "  DS Later" + std::to_string(i) + "\n";
    for (int i = 0; i < 60; ++i)
        forward += "Later" + std::to_string(i) + ":\n";
    AssemblyReport late = Report({{"t.asm", forward}});
    EXPECT_EQ(late.errors, kMaxReportedErrors);
    EXPECT_EQ(late.messages.size(), kMaxReportedErrors);
}

struct MessageCase {
    std::string source;
    std::string printed;
};

TEST(As88Report, MessagesSayWhatIsWrongWhere) {
    const MessageCase cases[] = {
        {kSection + "  DB \"abc\n", "t.asm:3:6: error: unterminated string\n"},
        {kSection + "  IF Later - 010000h\n  NOP\n  ENDIF\nLater:\n",
         "t.asm:3:6: error: 'Later' must be known at this line (IF), but it is defined further "
         "on, at t.asm:6\n"},
        {kSection + "  DS Size\nSize equ 4\n",
         "t.asm:3:6: error: 'Size' must be known at this line (DS), but it is defined further "
         "on, at t.asm:4\n"},
        {kSection + "  NOP\n  NOP\n  DEFSECT \"b\", CODE AT 010001h\n  SECT \"b\"\n  NOP\n",
         "t.asm:5:3: error: section \"b\" at 010001h overlaps section \".text\" "
         "(010000h..010001h) defined at t.asm:1\n"},
        {kSection + "ShowTitle:\n  LD A,[HL+1]\n",
         "t.asm:4:8: error: no addressing form '[HL+1]'; the forms are [HL], [IX], [IY], "
         "[IX+dd], [IY+dd], [SP+dd], [IX+L], [IY+L], [BR:ll] and [hhll]\n"},
        {kSection + "  LD A,DISP_LINE_TOP\nDISP_LINE_TOP equ 4\n",
         "t.asm:3:3: error: no instruction LD A,DISP_LINE_TOP; did you mean LD "
         "A,#DISP_LINE_TOP?\n"},
        {kSection + "ShowTitle:\n$CASE ON\n  CARL showTitle\n",
         "t.asm:5:8: error: undefined symbol 'showTitle'; did you mean 'ShowTitle'?\n"},
        {kSection + "ShowTitle:\n  CARL ShowTitel\n",
         "t.asm:4:8: error: undefined symbol 'ShowTitel'; did you mean 'ShowTitle'?\n"},
        // Of two alike names, the first in the order of their keys, not of
        // their definitions.
        {kSection + "ShowTitle:\nShowTitla:\n  CARL ShowTitl\n",
         "t.asm:5:8: error: undefined symbol 'ShowTitl'; did you mean 'ShowTitla'?\n"},
        {kSection + "  JRS Z,Far\n  DS 200\nFar:\n",
         "t.asm:3:9: error: JRS Z,rr reaches -128..127 bytes from its last byte; 0x0100CA is 201 "
         "away (to 'Far'); JRL reaches anywhere in the bank\n"},
        {"  EXTERN Ext\n" + kSection + "  LD A,#LOW(Ext)+1\n",
         "t.asm:4:13: error: LOW of 'Ext' is not known until the program is located and takes no "
         "arithmetic; write the number inside the parentheses: LOW(x + 1)\n"},
        {kSection + "M macro a\n  DB a\n  endm\n  M 1, 2\n",
         "t.asm:6:3: error: macro 'M' takes 1 argument, not 2\n"},
        {kSection + "  DS 800000h\n",
         "t.asm:3:3: error: DS count 8388608 out of range 0..010000h (a section holds one bank)\n"},
        {kSection + "  GLOBAL Minus\nMinus equ -1\n",
         "t.asm:3:10: error: global symbol 'Minus' is negative (-1): other modules and the map "
         "take 0..0FFFFFFFFh\n"},
    };
    for (const MessageCase& c : cases) {
        AssemblyReport report = Report({{"t.asm", c.source}});
        EXPECT_EQ(Printed(report), c.printed + "1 error\n") << c.source;
    }
}

// A quoted text is printable and short however it was written.
TEST(As88Report, QuotesTextsEscapedAndShortened) {
    EXPECT_EQ(Quoted(std::string("a\0b\x7F", 4)), "'a\\x00b\\x7F'");
    EXPECT_EQ(Quoted(std::string(1 << 20, 'W')), "'" + std::string(40, 'W') + "...'");
    AssemblyReport report = Report({{"t.asm", kSection + "  DB " + std::string(1 << 20, 'W') +
                                                  "\n  LD A,#" + std::string("x\0y", 3) + "\n"}});
    EXPECT_EQ(Printed(report), "t.asm:3:6: error: undefined symbol '" + std::string(40, 'W') +
                                   "...'\nt.asm:4:3: error: unexpected character '\\x00'\n"
                                   "2 errors\n");

    std::string word(1 << 20, 'W');
    AssemblyReport shapes =
        Report({{"t.asm", kSection + "  LD A," + word + "\n  SECT \"" + word + "\"\n  LD A,[HL+" +
                              word + "]\n  " + word + "\n  DB " + std::string(100, '9') + "\n"}});
    ASSERT_EQ(shapes.errors, 5u);
    for (const SourceMessage& message : shapes.messages)
        EXPECT_LT(message.Text().size(), 200u) << message.Text().substr(0, 200);
}

// Inputs that would take time or memory without end are refused at their
// line.
TEST(As88Report, RefusesIncludesThatGrowWithoutBound) {
    std::map<std::string, std::string> headers{{"t.asm", "  INCLUDE 'h0.h'\n" + kSection}};
    for (int i = 0; i < 16; ++i) {
        std::string next = "  INCLUDE 'h" + std::to_string(i + 1) + ".h'\n";
        headers["h" + std::to_string(i) + ".h"] =
            i == 15 ? "X" + std::to_string(i) + ":\n"
                    : std::string() + next + next + next + next + next + next + next + next;
    }
    AssemblyReport included = Report(headers);
    ASSERT_EQ(included.errors, 1u);
    EXPECT_EQ(included.messages[0].reason,
              "the source and its INCLUDE files hold more than 262144 lines");
}

TEST(As88Report, RefusesMacrosThatGrowWithoutBound) {
    std::string doubling = "M0 macro p\n  DB p\n  endm\n";
    for (int i = 1; i <= 31; ++i)
        doubling +=
            "M" + std::to_string(i) + " macro p\n  M" + std::to_string(i - 1) + " p+p\n  endm\n";
    AssemblyReport doubled = Report({{"t.asm", kSection + doubling + "  M31 1\n"}});
    ASSERT_EQ(doubled.errors, 1u);
    EXPECT_EQ(doubled.messages[0].reason,
              "a line of macro 'M17' grows longer than 65536 characters when expanded");

    std::string wide = "W0 macro\n  DB 1" + std::string(8000, ' ') + "\n  endm\n";
    for (int i = 1; i <= 5; ++i) {
        std::string call = "  W" + std::to_string(i - 1) + "\n";
        wide += "W" + std::to_string(i) + " macro\n";
        for (int k = 0; k < 15; ++k)
            wide += call;
        wide += "  endm\n";
    }
    AssemblyReport widened = Report({{"t.asm", kSection + wide + "  W5\n"}});
    ASSERT_EQ(widened.errors, 1u);
    EXPECT_EQ(widened.messages[0].reason,
              "macros and REPT blocks expand to more than 8388608 bytes");
}

TEST(As88Report, RefusesEquateChainsAndKeepsSectionsLinear) {
    std::string chain = kSection + "  DB E0\n";
    for (int i = 0; i < 2000; ++i)
        chain += "E" + std::to_string(i) + " equ E" + std::to_string(i + 1) + "\n";
    chain += "E2000 equ 1\n";
    AssemblyReport chained = Report({{"t.asm", chain}});
    ASSERT_GE(chained.errors, 1u);
    EXPECT_EQ(chained.messages[0].reason, "equates refer to equates more than 256 deep");

    std::string sections;
    for (int i = 0; i < 100000; ++i)
        sections += "  DEFSECT \"s" + std::to_string(i) + "\", DATA\n";
    AssemblyReport many = Report({{"t.asm", sections + "  SECT \"s99999\"\n  DB 1\n"}});
    EXPECT_EQ(many.errors, 0u) << Printed(many);

    AssemblyReport difference =
        Report({{"t.asm", kSection + "A:\n  DW (7FFFFFFFh << 32) + 0FFFFFFFFh - A\n"
                                     "  DW A + (7FFFFFFFh << 32) + (7FFFFFFFh << 32)\n"}});
    EXPECT_EQ(Printed(difference),
              "t.asm:4:3: error: DW takes a value of -32768..65535 or a 24-bit address, not "
              "9223372036854710271\n"
              "t.asm:5:3: error: value out of the 64-bit range\n2 errors\n");
}

}  // namespace
}  // namespace cuffware::toolchain
