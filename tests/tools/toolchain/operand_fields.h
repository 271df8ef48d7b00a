#pragma once
// The bytes of an instruction's operand fields, from what the operand-kind
// table says of each operand (which placeholders hold its low and high
// byte), never from the placeholder's name: a test that builds an
// instruction's bytes this way needs no edit for a new kind.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "toolchain/isa/operand_kind.h"

namespace cuffware::toolchain::testing {

// An operand of a form with the value its field holds (a branch's offset);
// row is null for a fixed operand ("A", "[HL]").
struct OperandValue {
    const OperandKindRow* row = nullptr;
    long long value = 0;
};

// The byte a field placeholder of the form's bytes ("nn", "hh", "dd")
// holds: the low or high byte of the value of the operand whose kind puts it
// there; nothing when no operand does (an operation code byte).
inline std::optional<uint8_t> FieldByte(std::span<const OperandValue> operands,
                                        std::string_view placeholder) {
    for (const OperandValue& operand : operands) {
        if (!operand.row)
            continue;
        if (operand.row->low == placeholder)
            return static_cast<uint8_t>(operand.value & 0xFF);
        if (operand.row->high == placeholder)
            return static_cast<uint8_t>(operand.value >> 8 & 0xFF);
    }
    return std::nullopt;
}

}  // namespace cuffware::toolchain::testing
