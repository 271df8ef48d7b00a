#pragma once
// The small text rules every part of the builder shares.

#include <cstdint>
#include <string>
#include <string_view>

namespace cuffware {

// Leading and trailing space characters removed; tabs and inner blanks stay.
std::string Trimmed(std::string_view text);

// The leading number of a text: blanks (spaces, tabs, line ends) skipped,
// then digits with an optional sign, decimal point and exponent; the first
// other character ends it. No number gives 0.
double NumericValue(std::string_view text);

// Conversion to a whole number: halves go to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -0.5 -> 0). Values beyond the range of long long are clamped.
long long RoundHalfEven(double value);

// RoundHalfEven(NumericValue(text)).
long long WholeNumber(std::string_view text);

// The low 16 bits of a value, read as a signed 16-bit number.
int16_t Wrap16(long long value);

// The shortest decimal text of a number: 740018, 2.5, -3, 0.
std::string ShortestDecimal(double value);

// The last three characters of the trimmed text; the whole text when shorter.
std::string Ver3(std::string_view versionRequired);

// True when the text holds a control byte (0x00 to 0x1F, or 0x7F).
bool HasControlByte(std::string_view text);

// The text with each control byte written as \xHH, so that a message can
// quote it without sending raw bytes (ESC among them) to a terminal.
std::string ControlBytesEscaped(std::string_view text);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);

// The text as a JSON string, quotes included: '"' and '\\' escaped, control
// bytes as \u00XX; bytes above 127 pass as they are.
std::string JsonString(std::string_view text);

}  // namespace cuffware
