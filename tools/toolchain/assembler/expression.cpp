#include "toolchain/assembler/expression.h"

#include <array>
#include <limits>
#include <span>

#include "platform/text_rules.h"
#include "toolchain/assembler/quoted_text.h"
#include "toolchain/assembler/source_line.h"

namespace cuffware::toolchain {

namespace {

bool IsIdentifierStart(char c) {
    return IsAsciiLetter(c) || c == '_';
}

bool IsIdentifierPart(char c) {
    return IsNameCharacter(c);
}

Diagnostic Problem(std::string message) {
    return Diagnostic{{}, 0, std::move(message)};
}

Result<long long> Digits(std::string_view digits, int base, std::string_view whole) {
    if (digits.empty())
        return Problem("bad number " + Quoted(whole));
    long long value = 0;
    for (char c : digits) {
        int digit = IsAsciiDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;  // | 0x20: lower case
        if (!(IsAsciiDigit(c) || IsAsciiLetter(c)) || digit >= base)
            return Problem("bad number " + Quoted(whole));
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL)
            return Problem("number too large " + Quoted(whole) + " (at most 0FFFFFFFFh)");
    }
    return value;
}

constexpr size_t kMaxExpressionDepth = 256;

constexpr std::array<std::string_view, 8> kTwoCharacterOperators = {
    "<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
constexpr std::string_view kOneCharacterOperators = "+-*/%()~!<>&^|$,";

// Binary operators by level, loosest first; each level is left-associative.
constexpr std::array<std::array<std::string_view, 4>, 9> kLevels = {{
    {"||"},
    {"&&"},
    {"|"},
    {"^"},
    {"&"},
    {"==", "!="},
    {"<", "<=", ">", ">="},
    {"<<", ">>"},
    {"+", "-"},
}};

Diagnostic TooLarge() {
    return Problem("value out of the 64-bit range");
}

Diagnostic NotKnownYet(const Value& value) {
    return Problem(Quoted(value.symbol) +
                   " is not known until the program is located: only symbol + number, LOW, "
                   "HIGH and BANK of it can wait");
}

// LOW(x) + 1 of an address not known yet: the locator fills the part as it
// is, so the number goes inside.
Diagnostic PartNotMoved(const Value& value) {
    std::string part = value.part == ValuePart::kLow    ? "LOW"
                       : value.part == ValuePart::kHigh ? "HIGH"
                                                        : "BANK";
    return Problem(part + " of " + Quoted(value.symbol) +
                   " is not known until the program is located and takes no arithmetic; write "
                   "the number inside the parentheses: " +
                   part + "(x + 1)");
}

Result<Value> Apply(std::string_view op, const Value& left, const Value& right) {
    long long result = 0;
    if (op == "+" || op == "-") {
        bool add = op == "+";
        if (!left.Known() && !right.Known() && !add && left.symbol == right.symbol &&
            left.part == ValuePart::kWhole && right.part == ValuePart::kWhole) {
            // two addresses in one place
            if (__builtin_sub_overflow(left.number, right.number, &result))
                return TooLarge();
            return Value(result);
        }
        const Value* unknown = !left.Known() ? &left : !right.Known() ? &right : nullptr;
        if (unknown && unknown->part != ValuePart::kWhole)
            return PartNotMoved(*unknown);
        if (unknown && ((!right.Known() && !add) || (!left.Known() && !right.Known())))
            return NotKnownYet(*unknown);
        bool overflow = add ? __builtin_add_overflow(left.number, right.number, &result)
                            : __builtin_sub_overflow(left.number, right.number, &result);
        if (overflow)
            return TooLarge();
        if (unknown)
            return Value(unknown->symbol, result);
        return Value(result);
    }
    if (!left.Known())
        return NotKnownYet(left);
    if (!right.Known())
        return NotKnownYet(right);
    long long a = left.number, b = right.number;
    if (op == "*") {
        if (__builtin_mul_overflow(a, b, &result))
            return TooLarge();
    } else if (op == "/" || op == "%") {
        if (b == 0)
            return Problem("division by zero");
        if (a == std::numeric_limits<long long>::min() && b == -1)
            return TooLarge();
        result = op == "/" ? a / b : a % b;
    } else if (op == "<<" || op == ">>") {
        if (b < 0 || b > 62)
            return Problem("shift by " + std::to_string(b) + " out of 0..62");
        if (op == ">>")
            result = a >> b;
        else if (__builtin_mul_overflow(a, 1LL << b, &result))
            return TooLarge();
    } else if (op == "&") {
        result = a & b;
    } else if (op == "^") {
        result = a ^ b;
    } else if (op == "|") {
        result = a | b;
    } else if (op == "&&") {
        result = a && b;
    } else if (op == "||") {
        result = a || b;
    } else if (op == "==") {
        result = a == b;
    } else if (op == "!=") {
        result = a != b;
    } else if (op == "<") {
        result = a < b;
    } else if (op == "<=") {
        result = a <= b;
    } else if (op == ">") {
        result = a > b;
    } else {
        result = a >= b;
    }
    return Value(result);
}

// Recursive descent: one level per entry of kLevels, then products, unary
// operators and primaries.
class Parser {
  public:
    Parser(std::vector<Token> tokens, const SymbolLookup& lookup)
        : tokens_(std::move(tokens)), lookup_(lookup) {}

    Result<Value> Whole() {
        if (tokens_.empty())
            return Problem("expression expected");
        Result<Value> value = Level(0);
        if (value && pos_ < tokens_.size())
            return Problem("unexpected " + Quoted(tokens_[pos_].text) + " in expression");
        return value;
    }

  private:
    bool Accept(std::string_view punctuation) {
        if (pos_ < tokens_.size() && tokens_[pos_].kind == Token::kPunctuation &&
            tokens_[pos_].text == punctuation) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::string_view AcceptAny(std::span<const std::string_view> operators) {
        for (std::string_view op : operators) {
            if (!op.empty() && Accept(op))
                return op;
        }
        return {};
    }

    // Each parenthesis and each unary operator takes one step deeper; a
    // bound keeps the recursion within the stack.
    class Deeper {
      public:
        explicit Deeper(size_t& depth) : depth_(++depth) {}
        ~Deeper() { --depth_; }
        Deeper(const Deeper&) = delete;
        Deeper& operator=(const Deeper&) = delete;
        bool TooDeep() const { return depth_ > kMaxExpressionDepth; }

      private:
        size_t& depth_;
    };

    static Diagnostic TooDeep() {
        return Problem("expression nested more than " + std::to_string(kMaxExpressionDepth) +
                       " deep (parentheses and unary operators)");
    }

    Result<Value> Level(size_t level) {
        if (level == kLevels.size())
            return Product();
        Result<Value> left = Level(level + 1);
        while (left) {
            std::string_view op = AcceptAny(kLevels[level]);
            if (op.empty())
                break;
            Result<Value> right = Level(level + 1);
            if (!right)
                return right;
            left = Apply(op, *left, *right);
        }
        return left;
    }

    Result<Value> Product() {
        static constexpr std::array<std::string_view, 3> kProducts = {"*", "/", "%"};
        Result<Value> left = Unary();
        while (left) {
            std::string_view op = AcceptAny(kProducts);
            if (op.empty())
                break;
            Result<Value> right = Unary();
            if (!right)
                return right;
            left = Apply(op, *left, *right);
        }
        return left;
    }

    Result<Value> Unary() {
        static constexpr std::array<std::string_view, 4> kUnary = {"+", "-", "~", "!"};
        std::string_view op = AcceptAny(kUnary);
        if (op.empty())
            return Primary();
        Deeper deeper(depth_);
        if (deeper.TooDeep())
            return TooDeep();
        Result<Value> operand = Unary();
        if (!operand || op == "+")
            return operand;
        if (!operand->Known())
            return NotKnownYet(*operand);
        long long n = operand->number;
        if (op == "-" && n == std::numeric_limits<long long>::min())
            return TooLarge();
        return Value(op == "-" ? -n : op == "~" ? ~n : static_cast<long long>(!n));
    }

    Result<Value> Function(ValuePart part) {
        if (!Accept("("))
            return Problem("'(' expected after the function's name");
        Result<Value> inner = Level(0);
        if (inner && !Accept(")"))
            return Problem("')' expected");
        if (!inner)
            return inner;
        if (!inner->Known()) {
            if (inner->part != ValuePart::kWhole)
                return NotKnownYet(*inner);
            inner->part = part;
            return inner;
        }
        return Value(PartOf(inner->number, part));
    }

    Result<Value> Primary() {
        if (pos_ >= tokens_.size())
            return Problem("expression ends too early");
        if (Accept("(")) {
            Deeper deeper(depth_);
            if (deeper.TooDeep())
                return TooDeep();
            Result<Value> inner = Level(0);
            if (inner && !Accept(")"))
                return Problem("')' expected");
            return inner;
        }
        const Token& token = tokens_[pos_++];
        if (token.kind == Token::kNumber) {
            Result<long long> number = NumberValue(token.text);
            if (!number)
                return number.error();
            return Value(*number);
        }
        if (token.kind == Token::kIdentifier || token.text == "$") {
            std::string upper = ToUpperAscii(token.text);
            if (upper == "LOW" || upper == "HIGH" || upper == "BANK") {
                if (pos_ < tokens_.size() && tokens_[pos_].text == "(")
                    return Function(upper == "LOW"    ? ValuePart::kLow
                                    : upper == "HIGH" ? ValuePart::kHigh
                                                      : ValuePart::kBank);
            }
            return lookup_(token.text);
        }
        return Problem("unexpected " + Quoted(token.text) + " in expression");
    }

    std::vector<Token> tokens_;
    const SymbolLookup& lookup_;
    size_t pos_ = 0;
    size_t depth_ = 0;
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

Result<std::vector<Token>> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        std::string_view rest = text.substr(pos);
        if (c == ' ' || c == '\t') {
            ++pos;
        } else if (IsIdentifierPart(c)) {
            // A name may be qualified: "Scope.local" (see local_labels.h).
            bool name = IsIdentifierStart(c);
            size_t end = pos;
            while (end < text.size() && (IsIdentifierPart(text[end]) || (name && text[end] == '.')))
                ++end;
            Token::Kind kind = name ? Token::kIdentifier : Token::kNumber;
            tokens.push_back({kind, std::string(text.substr(pos, end - pos))});
            pos = end;
        } else if (c == '\'' || c == '"') {
            std::optional<size_t> length = QuotedLength(rest);
            if (!length)
                return Problem("unterminated string");
            std::optional<std::string> bytes = StringLiteral(rest.substr(0, *length));
            if (!bytes || bytes->size() != 1)
                return Problem("a string in an expression is one character, not " +
                               Quoted(bytes ? *bytes : rest.substr(0, *length)));
            tokens.push_back(
                {Token::kNumber, std::to_string(static_cast<unsigned char>((*bytes)[0]))});
            pos += *length;
        } else {
            std::string op;
            for (std::string_view two : kTwoCharacterOperators) {
                if (rest.starts_with(two))
                    op = two;
            }
            if (op.empty() && kOneCharacterOperators.find(c) != std::string_view::npos)
                op = std::string(1, c);
            if (op.empty())
                return Problem("unexpected character " + Quoted(std::string_view(&text[pos], 1)));
            tokens.push_back({Token::kPunctuation, op});
            pos += op.size();
        }
    }
    return tokens;
}

Result<long long> NumberValue(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return Digits(text.substr(2), 16, text);
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H'))
        return Digits(text.substr(0, text.size() - 1), 16, text);
    if (text.size() > 1 && (text.back() == 'b' || text.back() == 'B') &&
        text.find_first_not_of("01") == text.size() - 1)
        return Digits(text.substr(0, text.size() - 1), 2, text);
    return Digits(text, 10, text);
}

long long PartOf(long long value, ValuePart part) {
    switch (part) {
        case ValuePart::kLow:
            return value & 0xFF;
        case ValuePart::kHigh:
            return (value >> 8) & 0xFF;
        case ValuePart::kBank:
            return (value >> 16) & 0xFF;
        case ValuePart::kWhole:
            break;
    }
    return value;
}

namespace {

// A number or a name that is the whole of an expression's text.
struct SingleWord {
    Token::Kind kind;
    std::string_view text;
};

// The number or the name that text is as a whole, as Tokenize would read
// it, or nullopt for anything else.
std::optional<SingleWord> SingleWordOf(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || !IsIdentifierPart(text[0]))
        return std::nullopt;
    bool name = IsIdentifierStart(text[0]);
    for (char c : text) {
        if (!IsIdentifierPart(c) && !(name && c == '.'))
            return std::nullopt;
    }
    return SingleWord{name ? Token::kIdentifier : Token::kNumber, text};
}

Result<Value> SingleWordValue(const SingleWord& word, const SymbolLookup& lookup) {
    if (word.kind == Token::kNumber) {
        Result<long long> number = NumberValue(word.text);
        if (!number)
            return number.error();
        return Value(*number);
    }
    return lookup(std::string(word.text));
}

}  // namespace

Result<Value> EvaluateValue(std::string_view text, const SymbolLookup& lookup) {
    // Most operands are one number or one name: their value without the
    // tokens' vector and the climb through every level of precedence.
    if (std::optional<SingleWord> word = SingleWordOf(text))
        return SingleWordValue(*word, lookup);
    Result<std::vector<Token>> tokens = Tokenize(text);
    if (!tokens)
        return tokens.error();
    if (tokens->size() == 1 && tokens->front().text == "$")
        return lookup("$");
    return Parser(std::move(*tokens), lookup).Whole();
}

Result<long long> Evaluate(std::string_view text, const SymbolLookup& lookup) {
    Result<Value> value = EvaluateValue(text, lookup);
    if (!value)
        return value.error();
    if (!value->Known())
        return Problem(Quoted(value->symbol) + " is not known until the program is located");
    return value->number;
}

}  // namespace cuffware::toolchain
