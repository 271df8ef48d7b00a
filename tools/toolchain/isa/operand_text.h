#pragma once
// An instruction's operands as the programmer writes them, sorted into the
// shapes the instruction forms take: a register or condition ("A", "NZ",
// "[HL]", "[IX+L]"), "#value", "[address]", "[BR:offset]", "[IX+value]",
// or a bare value (a branch target).

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "toolchain/isa/instruction_set.h"

namespace cuffware::toolchain {

// Views: a word of the instruction table's own (which lives as long as the
// program), an expression of the text read (which the caller keeps).
struct WrittenOperand {
    enum Kind { kWord, kImmediate, kMemory, kPage, kIndexed, kBare } kind = kBare;
    std::string_view word;        // kWord: upper case, blanks dropped; kIndexed: "IX", "IY", "SP"
    std::string_view expression;  // the value's text; kIndexed: with its sign, "+5" or "-5"

    // Whether this operand can stand where a form has formOperand.
    bool Fits(const FormOperand& formOperand) const;

    // The operand in the table's notation, for messages: "#nn", "[IX+dd]".
    std::string Shape() const;
};

// The operands of an instruction line, split at the commas; none for an
// empty text. Fails on an empty operand. The operands view text.
Result<std::vector<WrittenOperand>> ReadOperands(std::string_view text);

// The same into operands, whose room is reused: an instruction's encoder
// reads every line's operands twice and keeps one vector for them.
Status ReadOperandsInto(std::string_view text, std::vector<WrittenOperand>& operands);

}  // namespace cuffware::toolchain
