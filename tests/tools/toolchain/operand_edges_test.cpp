// Operand values at the edges of their fields, branches at the edges of
// their reach, and the forms the processor does not have.

#include <gtest/gtest.h>

#include "assembled_text.h"
#include "toolchain/disassembler/disassembler.h"
#include "toolchain/isa/instruction_set.h"
#include "toolchain/isa/operand_kind.h"

namespace cuffware::toolchain {
namespace {

using testing::AssembledText;
using testing::AssembleLines;

struct EdgeCase {
    const char* line;
    std::vector<int> bytes;  // expected when message is null
    const char* message = nullptr;
};

// The section starts at 0x10100, so $ is 0x10100 on the first line.
TEST(As88Operands, TakeTheirWholeRangeAndRefuseOneStepPast) {
    const EdgeCase cases[] = {
        {"LD A,#0", {0xB0, 0x00}},
        {"LD A,#0FFh", {0xB0, 0xFF}},
        {"LD A,#-128", {0xB0, 0x80}},
        {"LD A,#256", {}, "t.asm:3: LD A,#nn takes a value of -128..255, not 256"},
        {"LD A,#-129", {}, "t.asm:3: LD A,#nn takes a value of -128..255, not -129"},
        {"LD A,[IX+-128]", {0xCE, 0x40, 0x80}},
        {"ld a,[iy+127]", {0xCE, 0x41, 0x7F}},
        {"LD [SP-1],HL", {0xCF, 0x75, 0xFF}},
        {"LD A,[IX+200]", {}, "t.asm:3: LD A,[IX+dd] takes a displacement of -128..127, not 200"},
        {"LD A,[IX+L]", {0xCE, 0x42}},
        {"LD BA,#-32768", {0xC4, 0x00, 0x80}},
        {"LD BA,#65535", {0xC4, 0xFF, 0xFF}},
        {"LD HL,#10234h", {0xC5, 0x34, 0x02}},
        {"LD [BR:0FFh],A", {0x78, 0xFF}},
        {"LD [BR:256],A", {}, "t.asm:3: LD [BR:ll],A takes an address of 0..255, not 256"},
        {"LD [BR:0],#0FFh", {0xDD, 0x00, 0xFF}},
        {"LD A,[0FFFFh]", {0xCE, 0xD0, 0xFF, 0xFF}},
        {"INT [0FEh]", {0xFC, 0xFE}},
        {"LD [IX+5],#3", {}, "t.asm:3: no instruction LD [IX+dd],#nn"},
        {"LD A,[SP+1]", {}, "t.asm:3: no instruction LD A,[SP+dd]"},
        {"DIV L", {}, "t.asm:3: DIV takes no operand"},
        {"DIV", {0xCE, 0xD9}},
        {"JRS $+128", {0xF1, 0x7F}},
        {"JRS $-127", {0xF1, 0x80}},
        {"JRS $+129",
         {},
         "t.asm:3: JRS rr reaches -128..127 bytes from its last byte; 0x010181 is 128 away "
         "(to '$+129'); JRL reaches anywhere in the bank"},
        {"JRS NZ,$-128",
         {},
         "t.asm:3: JRS NZ,rr reaches -128..127 bytes from its last byte; 0x010080 is -129 away "
         "(to '$-128'); JRL reaches anywhere in the bank"},
        {"JRS LT,$+129", {0xCE, 0xE0, 0x7F}},
        {"JRS LT,$-126", {0xCE, 0xE0, 0x80}},
        {"CARS NF3,$+130",
         {},
         "t.asm:3: CARS NF3,rr reaches -128..127 bytes from its last byte; 0x010182 is 128 away "
         "(to '$+130')"},
        {"DJR NZ,$", {0xF5, 0xFF}},
        {"JRL $+2", {0xF3, 0x00, 0x00}},
        {"CARL 0C900h", {0xF2, 0xFE, 0xC7}},
        {"JRS 20000h",
         {},
         "t.asm:3: JRS rr cannot reach 0x020000: it is in bank 2, the branch in bank 1 (load NB "
         "and branch to its 16-bit address)"},
        {"JRS C", {}, "t.asm:3: no instruction JRS C"},
        {"PUSH ALE", {0xCF, 0xB9}},
        {"DB 'A', \"BC\", \"D\", 'E' + 1, -1, LOW(1234h)",
         {0x41, 0x42, 0x43, 0x44, 0x46, 0xFF, 0x34}},
        {"DW $, -1", {0x00, 0x01, 0xFF, 0xFF}},
    };
    for (const EdgeCase& c : cases) {
        AssembledText assembled = AssembleLines(std::string("  ") + c.line + "\n", 0x10100);
        if (c.message) {
            EXPECT_EQ(assembled.message, c.message) << c.line;
            continue;
        }
        EXPECT_TRUE(assembled.ok) << c.line << ": " << assembled.message;
        EXPECT_EQ(assembled.bytes, std::string(c.bytes.begin(), c.bytes.end())) << c.line;
    }
}

// The smallest and largest value a row's field holds, as the disassembler
// writes it back: a branch's offset, a displacement's signed value, or the
// unsigned field.
std::pair<long long, long long> Edges(const OperandKindRow& row) {
    long long span = 1LL << (8 * row.Bytes());
    if (row.IsSigned())
        return {-span / 2, span / 2 - 1};
    return {0, span - 1};
}

// The form written with value in the operand at index and zero in any other.
std::string WrittenWith(const InstructionForm& form, size_t index, long long value,
                        long long address) {
    std::string text = form.mnemonic;
    for (size_t i = 0; i < form.operands.size(); ++i) {
        const OperandKindRow* row = form.operands[i].row;
        long long v = i == index ? value : 0;
        std::string operand = form.operands[i].text;
        if (row && row->IsBranch())
            operand = std::to_string(address + form.length - 1 + v);
        else if (row)
            operand = row->Written(v);
        text += (i == 0 ? " " : ",") + operand;
    }
    return text;
}

// A kind's columns say again what its placeholder, the instruction table's
// notation, says: the written form around the value, the placeholders of its
// high and low byte in that order, a "+" for a displacement, and a field
// of that width. Tests that build operands from the columns rely on this.
TEST(OperandKinds, EachKindsColumnsAgreeWithItsPlaceholder) {
    for (const OperandKindRow& row : OperandKinds()) {
        std::string sign = row.IsSigned() && !row.IsBranch() ? "+" : "";
        EXPECT_EQ(std::string(row.before) + sign + std::string(row.high) + std::string(row.low) +
                      std::string(row.after),
                  row.placeholder);
        EXPECT_EQ(FieldSize(row.field), row.Bytes()) << row.placeholder;
        EXPECT_EQ(OperandKindOf(row.placeholder), &row);
    }
}

TEST(OperandKinds, EveryPlaceholderHasItsRowAndItsEdgesRoundTrip) {
    const long long kAt = 0x10100;
    for (const InstructionForm& form : InstructionForms()) {
        for (const FormOperand& operand : form.operands) {
            bool placeholder =
                operand.text.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos;
            EXPECT_EQ(placeholder, operand.row != nullptr) << form.Written();
        }
    }
    for (const OperandKindRow& row : OperandKinds()) {
        const InstructionForm* used = nullptr;
        size_t index = 0;
        for (const InstructionForm& form : InstructionForms()) {
            for (size_t i = 0; i < form.operands.size() && !used; ++i) {
                if (form.operands[i].row == &row)
                    used = &form, index = i;
            }
        }
        ASSERT_NE(used, nullptr) << row.placeholder << " occurs in no form";
        auto [low, high] = Edges(row);
        for (long long value : {low, high}) {
            std::string line = WrittenWith(*used, index, value, kAt);
            AssembledText first = AssembleLines("  " + line + "\n", kAt);
            ASSERT_TRUE(first.ok) << line << ": " << first.message;
            std::vector<DisassembledLine> back = Disassemble(
                {reinterpret_cast<const unsigned char*>(first.bytes.data()), first.bytes.size()},
                kAt);
            ASSERT_EQ(back.size(), 1u) << line;
            AssembledText again = AssembleLines("  " + back[0].text + "\n", kAt);
            EXPECT_TRUE(again.ok) << back[0].text << ": " << again.message;
            EXPECT_EQ(again.bytes, first.bytes) << line << " came back as " << back[0].text;
            if (row.IsBranch()) {
                std::string target = back[0].text.substr(back[0].text.rfind("0x"));
                EXPECT_EQ(BranchOffset(std::stoll(target, nullptr, 16), kAt + used->length - 1),
                          value)
                    << back[0].text;
            }
        }
    }
}

// IF/ELSE/ENDIF, SET, macros with parameters, and $ in a section.
TEST(As88Dialect, ConditionsMacrosAndSetGiveTheirBytes) {
    const EdgeCase cases[] = {
        {"Debug equ 1\n  IF Debug\n  NOP\n  ELSE\n  HALT\n  ENDIF\n", {0xFF}},
        {"  IF 0\n  IF 1\n  NOP\n  ENDIF\n  ELSE\n  RET\n  ENDIF\n", {0xF8}},
        {"Count set 1\n  DB Count\nCount set Count + 1\n  DB Count\n", {1, 2}},
        {"Put macro reg, value\n  LD reg,#value\n  endm\n  Put A, 5\n  Put B, LOW(1234h)\n",
         {0xB0, 0x05, 0xB1, 0x34}},
        {"  IF 1\n", {}, "t.asm:3: IF without ENDIF"},
        {"  ENDIF\n", {}, "t.asm:3: ENDIF without IF"},
        {"M macro\n  NOP\n", {}, "t.asm:3: MACRO without ENDM"},
        {"M macro a\n  endm\n  M 1, 2\n", {}, "t.asm:5: macro 'M' takes 1 argument, not 2"},
        {"X equ 1\nX set 2\n", {}, "t.asm:4: symbol 'X' already defined at t.asm:3"},
    };
    for (const EdgeCase& c : cases) {
        AssembledText assembled = AssembleLines(c.line);
        if (c.message) {
            EXPECT_EQ(assembled.message, c.message) << c.line;
            continue;
        }
        EXPECT_TRUE(assembled.ok) << c.line << ": " << assembled.message;
        EXPECT_EQ(assembled.bytes, std::string(c.bytes.begin(), c.bytes.end())) << c.line;
    }
}

}  // namespace
}  // namespace cuffware::toolchain
