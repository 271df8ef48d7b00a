#pragma once
// Which defined name a misspelt one was probably meant to be.

#include <string_view>

namespace cuffware::toolchain {

// Whether written may be a slip for defined: the same but for case, or,
// case aside, one character changed, added or dropped, or two neighbours
// swapped.
bool LooksLike(std::string_view written, std::string_view defined);

}  // namespace cuffware::toolchain
