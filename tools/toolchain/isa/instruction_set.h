#pragma once
// The S1C88 core's instruction forms, from the table in isa/instructions.tsv
// (built into the library): one entry per form, with its operands as the
// table writes them, its operation code bytes and the operand fields that
// follow them in fetch order.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolchain/isa/operand_kind.h"

namespace cuffware::toolchain {

struct FormOperand {
    OperandKind kind;
    std::string text;                     // as in the table: "A", "#nn", "[IX+dd]"
    std::string base;                     // kIndexed: "IX", "IY" or "SP"
    const OperandKindRow* row = nullptr;  // the placeholder's meaning; none for kFixed
    // Where the value's low byte lies in the form's bytes (with a row):
    // every operand value the encoder places asks.
    size_t fieldOffset = 0;
};

struct InstructionForm {
    std::string mnemonic;
    std::vector<FormOperand> operands;
    std::vector<unsigned char> opcode;  // the fixed bytes: one, or CE/CF and one
    std::vector<std::string> fields;    // the operand bytes' placeholders: "nn", "ll", "hh"...
    int length = 0;
    std::string cycles;
    // "LD A,[IX+dd]", as the table writes the form: kept, since every
    // operand value the encoder places names its form.
    std::string written;

    const std::string& Written() const { return written; }
};

std::span<const InstructionForm> InstructionForms();

// The forms of a mnemonic written in any case; empty for no instruction.
std::span<const InstructionForm* const> FormsOf(std::string_view mnemonic);

// The form whose operation code starts bytes (one byte, or CE/CF and one),
// or nullptr for an undefined code or too few bytes.
const InstructionForm* FormAt(std::span<const unsigned char> bytes);

// Registers and conditions: words that are never symbols in an operand.
bool IsOperandWord(std::string_view upperWord);

// The register or condition a word written in any case is, as the table
// writes it ("nz" gives "NZ"); empty for any other word.
std::string_view OperandWord(std::string_view word);

// Reads one table row (mnemonic, operands, bytes, length, cycles, notes,
// tab-separated); nullopt for the header or a row that does not parse.
std::optional<InstructionForm> ReadFormRow(std::string_view row);

}  // namespace cuffware::toolchain
