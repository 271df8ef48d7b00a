#include "toolchain/isa/operand_kind.h"

#include <array>

#include "toolchain/isa/hex_text.h"

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

std::string OperandKindRow::Written(long long value) const {
    if (IsBranch())
        return HexLiteral(value, 6);
    std::string sign;
    if (IsSigned())
        sign = value < 0 ? "-" : "+";
    return std::string(before) + sign + HexLiteral(value < 0 ? -value : value, 2 * Bytes()) +
           std::string(after);
}

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

}  // namespace cuffware::toolchain
