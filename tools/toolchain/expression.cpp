#include "toolchain/expression.h"

#include <cctype>

namespace cuffware::toolchain {

namespace {

bool IsIdentifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentifierPart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

Diagnostic Problem(std::string message) {
    return Diagnostic{{}, 0, std::move(message)};
}

Result<long long> Digits(std::string_view digits, int base, std::string_view whole) {
    if (digits.empty())
        return Problem("bad number '" + std::string(whole) + "'");
    long long value = 0;
    for (char c : digits) {
        int digit = std::isdigit(static_cast<unsigned char>(c))
                        ? c - '0'
                        : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (!std::isalnum(static_cast<unsigned char>(c)) || digit >= base)
            return Problem("bad number '" + std::string(whole) + "'");
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL)
            return Problem("number too large '" + std::string(whole) + "'");
    }
    return value;
}

// Recursive descent over the tokens: expr = term {(+|-) term},
// term = unary {(*|/) unary}, unary = [-|+] unary | primary.
class Parser {
  public:
    Parser(std::vector<Token> tokens, const SymbolLookup& lookup)
        : tokens_(std::move(tokens)), lookup_(lookup) {}

    Result<long long> Whole() {
        if (tokens_.empty())
            return Problem("expression expected");
        Result<long long> value = Sum();
        if (value && pos_ < tokens_.size())
            return Problem("unexpected '" + tokens_[pos_].text + "' in expression");
        return value;
    }

  private:
    bool Accept(char punctuation) {
        if (pos_ < tokens_.size() && tokens_[pos_].kind == Token::kPunctuation &&
            tokens_[pos_].text[0] == punctuation) {
            ++pos_;
            return true;
        }
        return false;
    }

    Result<long long> Sum() {
        Result<long long> left = Product();
        while (left) {
            bool add = Accept('+');
            if (!add && !Accept('-'))
                break;
            Result<long long> right = Product();
            if (!right)
                return right;
            long long value;
            bool overflow = add ? __builtin_add_overflow(*left, *right, &value)
                                : __builtin_sub_overflow(*left, *right, &value);
            if (overflow)
                return Problem("value too large");
            left = value;
        }
        return left;
    }

    Result<long long> Product() {
        Result<long long> left = Unary();
        while (left) {
            bool multiply = Accept('*');
            if (!multiply && !Accept('/'))
                break;
            Result<long long> right = Unary();
            if (!right)
                return right;
            long long value;
            if (multiply) {
                if (__builtin_mul_overflow(*left, *right, &value))
                    return Problem("value too large");
            } else {
                if (*right == 0)
                    return Problem("division by zero");
                value = *left / *right;
            }
            left = value;
        }
        return left;
    }

    Result<long long> Unary() {
        if (Accept('+'))
            return Unary();
        if (Accept('-')) {
            Result<long long> operand = Unary();
            if (operand)
                operand = -*operand;
            return operand;
        }
        return Primary();
    }

    Result<long long> Primary() {
        if (pos_ >= tokens_.size())
            return Problem("expression ends too early");
        if (Accept('(')) {
            Result<long long> inner = Sum();
            if (inner && !Accept(')'))
                return Problem("')' expected");
            return inner;
        }
        const Token& token = tokens_[pos_++];
        if (token.kind == Token::kNumber)
            return NumberValue(token.text);
        if (token.kind == Token::kIdentifier)
            return lookup_(token.text);
        return Problem("unexpected '" + token.text + "' in expression");
    }

    std::vector<Token> tokens_;
    const SymbolLookup& lookup_;
    size_t pos_ = 0;
};

}  // namespace

bool IsIdentifier(std::string_view text) {
    if (text.empty() || !IsIdentifierStart(text[0]))
        return false;
    for (char c : text) {
        if (!IsIdentifierPart(c))
            return false;
    }
    return true;
}

Result<std::vector<Token>> Tokenize(std::string_view text, std::string_view allowedPunctuation) {
    std::vector<Token> tokens;
    size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == ' ' || c == '\t') {
            ++pos;
        } else if (IsIdentifierPart(c)) {
            size_t end = pos;
            while (end < text.size() && IsIdentifierPart(text[end]))
                ++end;
            Token::Kind kind = IsIdentifierStart(c) ? Token::kIdentifier : Token::kNumber;
            tokens.push_back({kind, std::string(text.substr(pos, end - pos))});
            pos = end;
        } else if (allowedPunctuation.find(c) != std::string_view::npos) {
            tokens.push_back({Token::kPunctuation, std::string(1, c)});
            ++pos;
        } else {
            return Problem("unexpected character '" + std::string(1, c) + "'");
        }
    }
    return tokens;
}

Result<long long> NumberValue(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return Digits(text.substr(2), 16, text);
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H'))
        return Digits(text.substr(0, text.size() - 1), 16, text);
    return Digits(text, 10, text);
}

Result<long long> Evaluate(std::string_view text, const SymbolLookup& lookup) {
    Result<std::vector<Token>> tokens = Tokenize(text, "+-*/()");
    if (!tokens)
        return tokens.error();
    return Parser(std::move(*tokens), lookup).Whole();
}

}  // namespace cuffware::toolchain
