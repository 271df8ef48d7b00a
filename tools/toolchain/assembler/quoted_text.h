#pragma once
// Texts from a source quoted in a message: what was written, made safe to
// print and short enough to read.

#include <string>
#include <string_view>

namespace cuffware::toolchain {

// The longest text a message quotes; longer ones end in "...".
constexpr size_t kMaxQuotedLength = 40;

// text with a byte outside printable ASCII as \xHH, cut after
// kMaxQuotedLength characters with "..." added.
std::string Shortened(std::string_view text);

// Shortened text in apostrophes.
std::string Quoted(std::string_view text);

}  // namespace cuffware::toolchain
