// The short ways the assembler reads a line by (a lone number or name, an
// operand list split in place, a line's open quote found with its comment,
// a mnemonic or register packed into a number, an INCLUDE known by its
// first word, operands read into a vector kept from line to line, an
// instruction kept for the next line that writes the same operands, the
// symbols' own table) against the long ways they stand for.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assembled_text.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/source_line.h"
#include "toolchain/assembler/symbol_table.h"
#include "toolchain/isa/encoder.h"
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

// A definition is known by its whole second word, in any case, looked for
// only after a letter it can start with; a label before the name makes the
// line no definition.
TEST(LineReading, ADefinitionIsKnownByItsWholeSecondWord) {
    const std::pair<std::string, std::string> definitions[] = {
        {"X equ 1", "EQU"},       {"X EQU\t1", "EQU"},  {"x Set 2", "SET"},
        {"M macro a,b", "MACRO"}, {"M MACRO", "MACRO"}, {"X eQu", "EQU"},
    };
    for (const auto& [line, definer] : definitions) {
        Statement statement;
        ASSERT_TRUE(ReadStatement(line, statement).ok()) << line;
        EXPECT_EQ(statement.kind, Statement::kDefinition) << line;
        EXPECT_EQ(statement.definer, definer) << line;
    }
    for (std::string line : {"X equx 1", "X eq 1", "  LD E,A", "  LD S,#1", "X mac", "X sett 1",
                             "X e", "L: X equ 1", "  JRS M,L", "X\tSETS"}) {
        Statement statement;
        ASSERT_TRUE(ReadStatement(line, statement).ok()) << line;
        EXPECT_EQ(statement.kind, Statement::kOther) << line;
    }
    Statement statement;
    Status bad = ReadStatement("1X Equ 2", statement);
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().message, "bad name '1X' before Equ");
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

// The form an instruction takes, as the table writes it, or its fault.
std::string FormWritten(std::string_view mnemonic, std::string_view operands) {
    ExpressionReader zero = [](std::string_view) -> Result<Value> { return Value(0LL); };
    Result<Encoded> encoded = EncodeInstruction(mnemonic, operands, 0x10000, zero);
    if (!encoded)
        return encoded.error().message;
    const std::string& bytes = encoded->bytes;
    const InstructionForm* form =
        FormAt(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    return form ? form->Written() : "no form";
}

// An instruction read once is kept by its operands' text: the same text
// again, after any other, with another mnemonic or in another case, takes
// the form it takes on its own, and a fault stays a fault.
TEST(LineReading, AKeptInstructionIsTheOneItsTextAndMnemonicMake) {
    struct Case {
        std::string_view mnemonic;
        std::string_view operands;
        std::string form;
    };
    const Case cases[] = {
        {"LD", "A,[HL]", "LD A,[HL]"},
        {"ld", "A,[HL]", "LD A,[HL]"},
        {"CP", "A,[HL]", "CP A,[HL]"},
        {"LD", "A,#12h", "LD A,#nn"},
        {"LD", "[HL],A", "LD [HL],A"},
        {"LD", "A,,B", "empty operand"},
        {"NOP", "A,[HL]", "NOP takes no operand"},
        {"LD", "A,[IX+5]", "LD A,[IX+dd]"},
        {"LD", "a,[ix+5]", "LD A,[IX+dd]"},
        {"LD", "A,[IX+L]", "LD A,[IX+L]"},
        {"XX", "A,[HL]", "XX takes no operand"},
    };
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            EXPECT_EQ(FormWritten(c.mnemonic, c.operands), c.form)
                << c.mnemonic << " " << c.operands << " (round " << round << ")";
        }
    }
}

// A kept instruction's expressions are read from the line being assembled,
// not from the one it was first read from, whose text is gone.
TEST(LineReading, AKeptInstructionReadsTheExpressionsOfTheLineAtHand) {
    std::vector<std::string_view> read;
    ExpressionReader record = [&read](std::string_view expression) -> Result<Value> {
        read.push_back(expression);
        return Value(5LL);
    };
    for (int line = 0; line < 3; ++line) {
        std::string text = std::string("A,[IX+") + "Size]";  // the line's own text
        read.clear();
        ASSERT_TRUE(EncodeInstruction("LD", text, 0x10000, record).ok());
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0], "+Size");
        EXPECT_GE(read[0].data(), text.data());
        EXPECT_LE(read[0].data() + read[0].size(), text.data() + text.size());
    }
}

// The symbol table finds what was added, by the whole key, however many
// keys share a slot's neighbourhood as it grows, and keeps each symbol
// where it was added.
TEST(LineReading, TheSymbolTableFindsEveryKeyItHolds) {
    SymbolTable table;
    std::vector<const Symbol*> added;
    for (int i = 0; i < 3000; ++i) {
        auto [symbol, isNew] =
            table.Add("L" + std::to_string(i), Symbol{.name = std::to_string(i)});
        ASSERT_TRUE(isNew);
        added.push_back(symbol);
    }
    auto [again, isNew] = table.Add("L7", Symbol{.name = "other"});
    EXPECT_FALSE(isNew);
    EXPECT_EQ(again->name, "7");
    for (int i = 0; i < 3000; ++i)
        EXPECT_EQ(table.Find("L" + std::to_string(i)), added[static_cast<size_t>(i)]) << i;
    for (std::string_view absent : {"", "L", "L3000", "l7", "L07", "L7 "})
        EXPECT_FALSE(table.Contains(absent)) << absent;
    std::vector<std::string> keys;
    table.ForEach([&keys](const std::string& key, const Symbol&) { keys.push_back(key); });
    ASSERT_EQ(keys.size(), 3000u);
    EXPECT_EQ(keys.front(), "L0");
    EXPECT_EQ(keys.back(), "L2999");
}

}  // namespace
}  // namespace cuffware::toolchain
