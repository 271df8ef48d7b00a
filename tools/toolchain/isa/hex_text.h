#pragma once
// The one way the toolchain writes numbers in hexadecimal.

#include <string>
#include <string_view>

namespace cuffware::toolchain {

// Upper-case hex of value with at least width digits; a negative value is
// written as its 64-bit two's complement.
std::string Hex(long long value, int width);

// Hex(value, width) appended to text, for a long text made of many numbers.
void AppendHex(long long value, int width, std::string& text);

// Two hex digits for each byte of bytes, appended to text.
void AppendHexOfBytes(std::string_view bytes, std::string& text);

// For a text sized once and then filled: how many digits Hex(value, width)
// has, and the same digits or those of AppendHexOfBytes written at at,
// returning their end.
size_t HexLength(long long value, int width);
char* PutHex(long long value, int width, char* at);
char* PutHexOfBytes(std::string_view bytes, char* at);

// Hex with "0x" before it: 0x00FF.
std::string HexLiteral(long long value, int width);

}  // namespace cuffware::toolchain
