#include "toolchain/isa/operand_kind.h"

#include <array>

namespace cuffware::toolchain {

namespace {

using K = OperandKind;
using F = FieldKind;

constexpr std::array<OperandKindRow, 13> kRows = {{
    {"#nn", K::kByte, F::kByte, "nn", "", "#", "", ""},
    {"#hh", K::kByte, F::kByte, "hh", "", "#", "", ""},
    {"#bb", K::kByte, F::kByte, "bb", "", "#", "", ""},
    {"#pp", K::kByte, F::kByte, "pp", "", "#", "", ""},
    {"#mmnn", K::kWord, F::kWord, "nn", "mm", "#", "", ""},
    {"[hhll]", K::kAddress, F::kAddress, "ll", "hh", "[", "]", ""},
    {"[kk]", K::kVector, F::kByteAddress, "kk", "", "[", "]", ""},
    {"[BR:ll]", K::kPage, F::kByteAddress, "ll", "", "[BR:", "]", ""},
    {"[IX+dd]", K::kIndexed, F::kDisplacement, "dd", "", "[IX", "]", "IX"},
    {"[IY+dd]", K::kIndexed, F::kDisplacement, "dd", "", "[IY", "]", "IY"},
    {"[SP+dd]", K::kIndexed, F::kDisplacement, "dd", "", "[SP", "]", "SP"},
    {"rr", K::kShortJump, F::kShortJump, "rr", "", "", "", ""},
    {"qqrr", K::kLongJump, F::kLongJump, "rr", "qq", "", "", ""},
}};

}  // namespace

std::span<const OperandKindRow> OperandKinds() {
    return kRows;
}

const OperandKindRow* OperandKindOf(std::string_view placeholder) {
    for (const OperandKindRow& row : kRows) {
        if (row.placeholder == placeholder)
            return &row;
    }
    return nullptr;
}

long long BranchTarget(long long lastByte, long long offset) {
    return (lastByte & 0xFF0000) | ((lastByte + offset) & 0xFFFF);
}

long long BranchOffset(long long target, long long lastByte) {
    long long distance = ((target & 0xFFFF) - (lastByte & 0xFFFF)) & 0xFFFF;
    return distance >= 0x8000 ? distance - 0x10000 : distance;
}

}  // namespace cuffware::toolchain
