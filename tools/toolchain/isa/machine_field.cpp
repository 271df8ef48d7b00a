#include "toolchain/isa/machine_field.h"

#include <array>

#include "toolchain/isa/hex_text.h"
#include "toolchain/isa/operand_kind.h"

namespace cuffware::toolchain {

namespace {

constexpr std::array<std::string_view, 7> kNames = {"BYTE", "DISP",  "BADDR", "WORD",
                                                    "ADDR", "SJUMP", "LJUMP"};

Diagnostic Takes(const std::string& what, long long value) {
    return Diagnostic{{}, 0, "takes " + what + ", not " + std::to_string(value)};
}

// The distance from the branch's last byte to the target.
Result<long long> JumpDistance(long long target, long long from) {
    if (target < 0 || target > 0xFFFFFF)
        return Diagnostic{
            {}, 0, "takes a target address of 0..0FFFFFFh, not " + std::to_string(target)};
    if (target > 0xFFFF && (target >> 16) != (from >> 16))
        return Diagnostic{{},
                          0,
                          "cannot reach " + HexLiteral(target & 0xFFFFFF, 6) + ": it is in bank " +
                              std::to_string(target >> 16) + ", the branch in bank " +
                              std::to_string(from >> 16) +
                              " (load NB and branch to its 16-bit address)"};
    return BranchOffset(target, from);
}

}  // namespace

int FieldSize(FieldKind kind) {
    return kind == FieldKind::kWord || kind == FieldKind::kAddress || kind == FieldKind::kLongJump
               ? 2
               : 1;
}

Status PutField(FieldKind kind, long long value, long long fieldAddress, std::string& bytes,
                size_t offset) {
    long long stored = value;
    switch (kind) {
        case FieldKind::kByte:
            if (value < -128 || value > 255)
                return Takes("a value of -128..255", value);
            break;
        case FieldKind::kDisplacement:
            if (value < -128 || value > 127)
                return Takes("a displacement of -128..127", value);
            break;
        case FieldKind::kByteAddress:
            if (value < 0 || value > 255)
                return Takes("an address of 0..255", value);
            break;
        case FieldKind::kWord:
            if (value < -32768 || value > 0xFFFFFF)
                return Takes("a value of -32768..65535 or a 24-bit address", value);
            break;
        case FieldKind::kAddress:
            if (value < 0 || value > 0xFFFFFF)
                return Takes("an address of 0..0FFFFFFh", value);
            break;
        case FieldKind::kShortJump:
        case FieldKind::kLongJump: {
            long long from = fieldAddress + FieldSize(kind) - 1;  // the branch's last byte
            Result<long long> distance = JumpDistance(value, from);
            if (!distance)
                return distance.error();
            if (kind == FieldKind::kShortJump && (*distance < -128 || *distance > 127))
                return Diagnostic{{},
                                  0,
                                  "reaches -128..127 bytes from its last byte; " +
                                      HexLiteral(value & 0xFFFFFF, 6) + " is " +
                                      std::to_string(*distance) + " away"};
            stored = *distance;
            break;
        }
    }
    bytes[offset] = static_cast<char>(stored & 0xFF);
    if (FieldSize(kind) == 2)
        bytes[offset + 1] = static_cast<char>((stored >> 8) & 0xFF);
    return Status::Ok();
}

std::string_view FieldName(FieldKind kind) {
    return kNames[static_cast<size_t>(kind)];
}

Result<FieldKind> FieldNamed(std::string_view name) {
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name)
            return static_cast<FieldKind>(i);
    }
    return Diagnostic{{}, 0, "unknown field kind '" + std::string(name) + "'"};
}

}  // namespace cuffware::toolchain
