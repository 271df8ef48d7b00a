#pragma once
// The one way the toolchain writes numbers in hexadecimal.

#include <string>

namespace cuffware::toolchain {

// Upper-case hex of value with at least width digits; a negative value is
// written as its 64-bit two's complement.
std::string Hex(long long value, int width);

// Hex with "0x" before it: 0x00FF.
std::string HexLiteral(long long value, int width);

}  // namespace cuffware::toolchain
