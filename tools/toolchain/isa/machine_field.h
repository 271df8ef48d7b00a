#pragma once
// The operand fields of machine code and data, their ranges and how a value
// goes into them: one rule for the assembler, which fills what it knows,
// and for the locator, which fills the rest.
//
// An address is 24 bits: the upper 8 are the bank (page), the lower 16 the
// logical address an instruction sees. A relative branch counts from its
// last byte in the 16-bit logical space, wrapping; its target must be a
// 16-bit address or lie in the branch's own bank.

#include <string>

#include "platform/result.h"

namespace cuffware::toolchain {

enum class FieldKind {
    kByte,          // #nn, DB: -128..255
    kDisplacement,  // dd: -128..127
    kByteAddress,   // [BR:ll], [kk]: 0..255
    kWord,          // #mmnn, DW: -32768..65535, or a 24-bit address (its low 16 bits)
    kAddress,       // [hhll]: 0..0FFFFFFh (its low 16 bits)
    kShortJump,     // rr: the target, -128..127 bytes from the branch's last byte
    kLongJump,      // qqrr: the target, anywhere in the bank
};

// The number of bytes a field takes: 1 or 2.
int FieldSize(FieldKind kind);

// Writes value into bytes at offset. fieldAddress is the address of the
// field's first byte (a branch counts from it). A failure's message says
// what the field takes: "takes a displacement of -128..127, not 200".
Status PutField(FieldKind kind, long long value, long long fieldAddress, std::string& bytes,
                size_t offset);

// "FieldKind" names in the object files.
std::string_view FieldName(FieldKind kind);
Result<FieldKind> FieldNamed(std::string_view name);

}  // namespace cuffware::toolchain
