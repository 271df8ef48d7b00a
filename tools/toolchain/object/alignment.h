#pragma once
// Alignment: "ALIGN n" pads the current section with zero bytes up to the
// next multiple of n; "ALIGN n" on a DEFSECT line makes lc88 place the
// section at a multiple of n. n is a power of two of 1..kMaxAlignment.

#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace cuffware::toolchain {

constexpr long long kMaxAlignment = 0x10000;

// Fails, saying why, when alignment is not a power of two of
// 1..kMaxAlignment.
Status CheckAlignment(long long alignment);

// The bytes from address (0 or more) up to the next multiple of alignment.
long long PaddingTo(long long address, long long alignment);

// What follows a section's name on a DEFSECT line:
//   CODE|DATA [AT address] [ALIGN n]     (AT and ALIGN in either order)
struct SectionAttributes {
    std::string kind;       // upper case
    std::string address;    // the expression after AT, or empty
    std::string alignment;  // the expression after ALIGN, or empty
};

// nullopt when the text is not of that form. A word AT or ALIGN starts an
// attribute only where two expressions could not stand side by side, so a
// symbol of either name in an expression stays what it was.
std::optional<SectionAttributes> ReadSectionAttributes(std::string_view text);

}  // namespace cuffware::toolchain
