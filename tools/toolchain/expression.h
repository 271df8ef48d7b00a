#pragma once
// Assembler expressions: decimal numbers, 0x hex, hex with a trailing h
// (0FFh), symbols, + - * / and parentheses, unary minus. Arithmetic is
// 64-bit and checked; an overflow or a division by zero is an error.

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

// Splits text into numbers, identifiers and single punctuation characters
// out of allowedPunctuation; blanks separate. Any other character fails.
Result<std::vector<Token>> Tokenize(std::string_view text, std::string_view allowedPunctuation);

bool IsIdentifier(std::string_view text);

// The value of one number token in any of the three notations.
Result<long long> NumberValue(std::string_view text);

// The value of a symbol, or a failure whose message says why.
using SymbolLookup = std::function<Result<long long>(const std::string& name)>;

// Failures carry only a message; the caller knows the file and line.
Result<long long> Evaluate(std::string_view text, const SymbolLookup& lookup);

}  // namespace cuffware::toolchain
