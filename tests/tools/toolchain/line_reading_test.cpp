// The short ways the assembler reads a line by (a lone number or name, an
// operand list split in place, a line's open quote found with its comment,
// a mnemonic or register packed into a number, an INCLUDE known by its
// first word, operands read into a vector kept from line to line) against
// the long ways they stand for.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assembled_text.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/source_line.h"
#include "toolchain/isa/instruction_set.h"
#include "toolchain/isa/operand_text.h"

namespace cuffware::toolchain {
namespace {

using testing::AssembledText;
using testing::AssembleLines;

Result<Value> LookUp(const std::string& name) {
    if (name == "Start" || name == "A.b")
        return Value(0x10000LL);
    if (name == "$")
        return Value(0x20000LL);
    return Diagnostic{{}, 0, "undefined symbol '" + name + "'"};
}

std::string Outcome(const Result<Value>& value) {
    return value ? std::to_string(value->number) : value.error().message;
}

// In parentheses a number or a name goes through every level of the
// expression reader; alone it is read at once. Both give the same value or
// the same fault.
TEST(LineReading, ALoneNumberOrNameReadsAsInParentheses) {
    for (std::string text : {"12h", " 12h\t", "0x1F", "0101b", "900", "1a", "12x", "0FFFFFFFFFh",
                             "Start", "A.b", "Nowhere", "_x", "x.", "$", "1.5", "'A'"}) {
        EXPECT_EQ(Outcome(EvaluateValue(text, LookUp)),
                  Outcome(EvaluateValue("(" + text + ")", LookUp)))
            << text;
    }
}

TEST(LineReading, ListItemsSplitOutsideQuotesAndBrackets) {
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"", {""}},
        {"A,#12h", {"A", "#12h"}},
        {" A , B ", {"A", "B"}},
        {"a,", {"a", ""}},
        {",a", {"", "a"}},
        {"'a,b',c", {"'a,b'", "c"}},
        {"\"x,'y\",z", {"\"x,'y\"", "z"}},
        {"(1,2),[IX+1,2],3", {"(1,2)", "[IX+1,2]", "3"}},
        {"a)),b,c", {"a)),b,c"}},  // below the outermost level, commas do not split
        {"'open,x", {"'open,x"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitList(c.text), c.items) << c.text;

    std::vector<std::string_view> seen;
    ForEachListItem("1,2,3", [&seen](std::string_view item) {
        seen.push_back(item);
        return item != "2";
    });
    EXPECT_EQ(seen, (std::vector<std::string_view>{"1", "2"}));
}

TEST(LineReading, AStatementKnowsTheQuoteItsLineLeavesOpen) {
    for (std::string line : {"  DB 'a", "  DB 'a' ; '", "; 'x", "  DB \"a'b\"", "  DB 'it''s",
                             "  DB 'a'b'", "L: DB \"", "  NOP", "X equ 'q"}) {
        Statement statement;
        ASSERT_TRUE(ReadStatement(line, statement).ok()) << line;
        EXPECT_EQ(statement.quoteLeftOpen, UnclosedQuote(line).has_value()) << line;
    }
}

TEST(LineReading, MnemonicsAndRegistersInAnyCaseAndNoOtherWord) {
    AssembledText upper = AssembleLines("  LD A,[HL]\n  JRS NZ,$\n  PUSH BA\n");
    AssembledText lower = AssembleLines("  ld a,[hl]\n  jrs nz,$\n  Push bA\n");
    ASSERT_TRUE(upper.ok) << upper.message;
    EXPECT_EQ(lower.bytes, upper.bytes);

    EXPECT_FALSE(FormsOf("nop").empty());
    // A zero byte packs as nothing; without care "\0NOP" would pack as NOP.
    EXPECT_TRUE(FormsOf(std::string_view("\0NOP", 4)).empty());
    EXPECT_TRUE(FormsOf("NOPNOPNOP").empty());
    EXPECT_TRUE(FormsOf("").empty());
    // The last answer is kept: asked right after any other word, each word
    // still gets its own forms (same length, shared start, a zero byte).
    std::vector<std::string_view> words = {"LD",   "ld",       "LX", "L",
                                           "NOP",  "NOPX",     "",   "NOPNOPNOP",
                                           "CARL", "NOPNOPNO", "DB", std::string_view("NOP\0", 4)};
    for (std::string_view before : words) {
        for (std::string_view word : words) {
            FormsOf("PUSH");
            std::span<const InstructionForm* const> alone = FormsOf(word);
            FormsOf(before);
            std::span<const InstructionForm* const> after = FormsOf(word);
            EXPECT_EQ(after.data(), alone.data()) << before << " then " << word;
            EXPECT_EQ(after.size(), alone.size()) << before << " then " << word;
        }
    }
    EXPECT_EQ(FormsOf("ld").data(), FormsOf("LD").data());
    // Keywords in any case; a first letter equal only with bit 5 set is
    // no match ('@' and '`' differ from each other and from letters).
    EXPECT_EQ(KeywordAmong("eNdIf", {"IF", "ENDIF"}), "ENDIF");
    EXPECT_EQ(KeywordAmong("if", {"IF", "ENDIF"}), "IF");
    EXPECT_EQ(KeywordAmong("@F", {"`F", "IF"}), "");
    EXPECT_EQ(KeywordAmong("`F", {"`F"}), "`F");
    EXPECT_EQ(KeywordAmong("IG", {"IF"}), "");
    EXPECT_EQ(KeywordAmong("IFF", {"IF"}), "");
    EXPECT_EQ(OperandWord("nz"), "NZ");
    EXPECT_EQ(OperandWord(std::string_view("\0A", 2)), "");
    EXPECT_EQ(OperandWord("ALLX"), "");
    EXPECT_TRUE(IsOperandWord("NF3"));
    EXPECT_FALSE(IsOperandWord("nf3"));  // asked in upper case only
}

// A line is an INCLUDE when its first word is, in any case; a longer word
// or one after a label is not.
TEST(LineReading, IncludeIsKnownByTheWholeFirstWord) {
    for (std::string line : {"INCLUDEX 'a.h'", "INCLUD 'a.h'", "INCLUDE_ 'a.h'", "  LD A,B", "",
                             "\t", "L: INCLUDE 'a.h'", "x INCLUDE 'a.h'", "; INCLUDE 'a.h'"}) {
        Result<std::optional<std::string>> path = IncludedPath(line);
        ASSERT_TRUE(path) << line;
        EXPECT_EQ(*path, std::nullopt) << line;
    }
    for (std::string line : {"INCLUDE 'a.h'", "\tinclude\t\"a.h\"", "  InClUdE 'a.h' ; c"}) {
        Result<std::optional<std::string>> path = IncludedPath(line);
        ASSERT_TRUE(path) << line;
        EXPECT_EQ(*path, "a.h") << line;
    }
    for (std::string line : {"INCLUDE", " include \t", "INCLUDE\ta.h"}) {
        Result<std::optional<std::string>> path = IncludedPath(line);
        ASSERT_FALSE(path) << line;
        EXPECT_EQ(path.error().message, "INCLUDE expects a path in quotes") << line;
    }
}

std::vector<std::string> Shapes(const std::vector<WrittenOperand>& operands) {
    std::vector<std::string> shapes;
    for (const WrittenOperand& operand : operands)
        shapes.push_back(operand.Shape());
    return shapes;
}

// Reading into a vector that holds the last line's operands gives what a
// fresh reading gives, the same fault included.
TEST(LineReading, OperandsReadIntoAKeptVectorAsIntoANewOne) {
    std::vector<WrittenOperand> kept;
    for (std::string text : {"A,[IX+5]", "", "[hl]", "NZ,Far", "A,,B", " ", "[BR:12h],#1,B"}) {
        Result<std::vector<WrittenOperand>> fresh = ReadOperands(text);
        Status read = ReadOperandsInto(text, kept);
        ASSERT_EQ(fresh.ok(), read.ok()) << text;
        if (fresh)
            EXPECT_EQ(Shapes(kept), Shapes(*fresh)) << text;
        else
            EXPECT_EQ(read.error().message, fresh.error().message) << text;
    }
}

}  // namespace
}  // namespace cuffware::toolchain
