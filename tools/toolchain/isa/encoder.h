#pragma once
// Turns one instruction line into the processor's bytes: the form is chosen
// from the mnemonic and the shapes of the operands as written, and every
// operand value is checked against its field. A value the assembler cannot
// know yet becomes a fixup, for the locator to fill.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/isa/machine_field.h"

namespace cuffware::toolchain {

// A field left as zeros, with the value that goes there once it is known.
struct Fixup {
    size_t offset = 0;  // of the field, from the start of the bytes it lies in
    FieldKind kind = FieldKind::kByte;
    Value value;
    std::string what;  // the form or directive, for messages: "LD A,#nn", "DW"
};

struct Encoded {
    std::string bytes;
    std::vector<Fixup> fixups;
};

// The value of an operand's expression at this line (a view of the line's
// text: no copy per operand).
using ExpressionReader = std::function<Result<Value>(std::string_view expression)>;

// Whether a mnemonic names an instruction of the processor.
bool IsMnemonic(std::string_view mnemonic);

// The instruction at address (none when its section has no fixed place, so
// every branch waits for the locator); failures name the form and the reason:
// "LD A,[IX+dd] takes a displacement of -128..127, not 200",
// "no instruction LD [IX+dd],#nn", "DIV takes no operand".
Result<Encoded> EncodeInstruction(std::string_view mnemonic, std::string_view operands,
                                  std::optional<long long> address, const ExpressionReader& read);

// The length in bytes of the instruction, with the failures EncodeInstruction
// gives when no operand value fails: what the first pass needs to place the
// labels after it.
Result<int> InstructionLength(std::string_view mnemonic, std::string_view operands);

// Puts a value into a field, or records it as a fixup when it is not known
// (or, for a branch, when the field's own address is not); what names the
// form in a failure's message.
Status PlaceValue(const Value& value, FieldKind kind, std::optional<long long> fieldAddress,
                  size_t offset, const std::string& what, Encoded& encoded);

}  // namespace cuffware::toolchain
