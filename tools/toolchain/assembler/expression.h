#pragma once
// Assembler expressions. Numbers: decimal, 0x hex, hex with a trailing h
// (0FFh), binary with a trailing b (0101b), a character in apostrophes or
// double quotes ('A', "A"). Names: symbols, and $ for the address of the
// line. Operators, from the tightest: unary - + ~ !, then * / %, + -,
// << >>, < <= > >=, == !=, &, ^, |, &&, ||, and parentheses, nested at most
// 256 deep. Functions: LOW(x) (bits 7-0), HIGH(x) (bits 15-8), BANK(x)
// (bits 23-16). Arithmetic is 64-bit and checked; an overflow or a division
// by zero is an error.
//
// A value the assembler cannot know (an address in a section without a
// fixed place, a symbol of another module) is carried as "symbol + number"
// or LOW, HIGH or BANK of that; any other operation on it fails.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace cuffware::toolchain {

struct Token {
    enum Kind { kNumber, kIdentifier, kPunctuation } kind;
    std::string text;
};

// Splits text into numbers, identifiers, 'c' and "c" characters (as
// numbers) and operators; blanks separate. Any other character, a longer
// string or one left open ("unterminated string") fails.
Result<std::vector<Token>> Tokenize(std::string_view text);

bool IsIdentifier(std::string_view text);

// What names and numbers are made of: letters, digits and '_', in ASCII
// whatever the locale (the program's or, in the builder's window, Qt's).
inline bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsNameCharacter(char c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_';
}

// The value of one number token in any of its notations.
Result<long long> NumberValue(std::string_view text);

// Which part of a located address a value stands for.
enum class ValuePart { kWhole, kLow, kHigh, kBank };

struct Value {
    long long number = 0;  // the value, or the addend to symbol
    std::string symbol;    // empty when the value is known
    ValuePart part = ValuePart::kWhole;

    Value() = default;
    Value(long long known) : number(known) {}
    Value(std::string base, long long addend) : number(addend), symbol(std::move(base)) {}
    bool Known() const { return symbol.empty(); }
};

// The part of a known value: LOW, HIGH or BANK applied to it.
long long PartOf(long long value, ValuePart part);

// The value of a symbol, or a failure whose message says why.
using SymbolLookup = std::function<Result<Value>(const std::string& name)>;

// Failures carry only a message; the caller knows the file and line.
Result<Value> EvaluateValue(std::string_view text, const SymbolLookup& lookup);

// As EvaluateValue, for places that need the number now.
Result<long long> Evaluate(std::string_view text, const SymbolLookup& lookup);

}  // namespace cuffware::toolchain
