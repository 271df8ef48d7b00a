#pragma once
// The placeholders of the instruction table ("#nn", "[IX+dd]", "rr", ...)
// and what each one means, in one place: the field its value fills, which
// of the form's bytes hold it, how the operand is written, and whether it
// is a branch offset. The encoder, the disassembler and the operand reader
// all read this table.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "toolchain/isa/machine_field.h"

namespace cuffware::toolchain {

// What one operand of a form takes.
enum class OperandKind {
    kFixed,      // a register, a condition or a fixed memory operand: "A", "NZ", "[HL]"
    kByte,       // #nn #hh #bb #pp
    kWord,       // #mmnn
    kAddress,    // [hhll]
    kVector,     // [kk]
    kPage,       // [BR:ll]
    kIndexed,    // [IX+dd] [IY+dd] [SP+dd]
    kShortJump,  // rr
    kLongJump,   // qqrr
};

struct OperandKindRow {
    std::string_view placeholder;  // as in the table: "#nn", "[IX+dd]"
    OperandKind kind;
    FieldKind field;
    std::string_view low;     // the placeholder of the value's low byte in the form's bytes
    std::string_view high;    // of its high byte; empty for a one-byte field
    std::string_view before;  // the written form around the value: "#", "[BR:", "[IX"
    std::string_view after;   // "]" or nothing
    std::string_view base;    // kIndexed: the base register, "IX", "IY" or "SP"

    int Bytes() const { return high.empty() ? 1 : 2; }
    bool IsBranch() const {
        return field == FieldKind::kShortJump || field == FieldKind::kLongJump;
    }
    // A displacement or a branch offset is a signed number of Bytes() bytes.
    bool IsSigned() const { return IsBranch() || field == FieldKind::kDisplacement; }

    // The operand as it is written with a value: "#0xA5", "[0x1234]",
    // "[BR:0x7E]", a displacement with its sign, "[IX-0x03]"; a branch as
    // its target, value then being the target's address: "0x012345".
    std::string Written(long long value) const;
};

std::span<const OperandKindRow> OperandKinds();

// The row of a placeholder, or nullptr for a fixed operand ("A", "[HL]").
const OperandKindRow* OperandKindOf(std::string_view placeholder);

// A branch's offset counts from its last byte in the 16-bit logical space,
// wrapping, and the target stays in the branch's bank.
// (Inline: the simulator computes one per branch it takes.)
constexpr long long BranchTarget(long long lastByte, long long offset) {
    return (lastByte & 0xFF0000) | ((lastByte + offset) & 0xFFFF);
}

// The offset from lastByte to a target's logical address, -32768..32767.
constexpr long long BranchOffset(long long target, long long lastByte) {
    long long distance = ((target & 0xFFFF) - (lastByte & 0xFFFF)) & 0xFFFF;
    return distance >= 0x8000 ? distance - 0x10000 : distance;
}

}  // namespace cuffware::toolchain
