#pragma once
// The S1C88-like instructions the stand-in assembler knows. It does not
// encode them: each gives a placeholder of the size in this table, its
// opcode byte followed by 0xCE filler, so section sizes come out right.

#include <span>
#include <string>
#include <string_view>

#include "platform/result.h"
#include "toolchain/expression.h"

namespace cuffware::toolchain {

struct Instruction {
    std::string_view mnemonic;  // upper case
    int size;                   // bytes
    unsigned char opcode;       // the placeholder's first byte
};

std::span<const Instruction> Instructions();

// The table entry for a mnemonic written in any case, or nullptr.
const Instruction* FindInstruction(std::string_view mnemonic);

// The bytes an instruction line stands for.
std::string Placeholder(const Instruction& instruction);

// Checks an instruction's operand text: registers, condition codes, numbers,
// "#", "[ ]", ":" and expressions; every other name must be a defined symbol.
Status CheckOperands(std::string_view operands, const SymbolLookup& lookup);

}  // namespace cuffware::toolchain
