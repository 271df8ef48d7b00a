#include "toolchain/assembler/expression.h"

#include <gtest/gtest.h>

namespace cuffware::toolchain {
namespace {

struct ExpressionCase {
    const char* text;
    long long value;
    const char* message = nullptr;  // the error instead of a value
};

TEST(Expression, EvaluatesNumbersSymbolsAndPrecedenceOrNamesTheFault) {
    const ExpressionCase cases[] = {
        {"900", 900},
        {"0x1F", 31},
        {"0FFh", 255},
        {"10H", 16},
        {"Start + 2", 0x10002},
        {"2 + 3 * 4", 14},
        {"(2 + 3) * 4", 20},
        {"20 / 3 - -1", 7},
        {"-(Start - 0x10010)", 16},
        {"Nowhere + 1", 0, "undefined symbol 'Nowhere'"},
        {"4 / (2 - 2)", 0, "division by zero"},
        {"12x", 0, "bad number '12x'"},
        {"0FFFFFFFFFh", 0, "number too large '0FFFFFFFFFh' (at most 0FFFFFFFFh)"},
        {"(1 + 2", 0, "')' expected"},
        {"1 @ 2", 0, "unexpected character '@'"},
        {"", 0, "expression expected"},
        {"0xFFFFFFFF * 0xFFFFFFFF * 0xFFFFFFFF", 0, "value out of the 64-bit range"},
        {"1 << 4 | 3 & 1 ^ 8", 25},
        {"~0 & 0FFh", 255},
        {"17 % 5 + (3 >= 3) + (2 != 2) + !0", 4},
        {"1 == 1 && 0 || 2 < 1", 0},
        {"0101b + 'A'", 0x46},
        {"LOW(0x123456) + HIGH(0x123456) + BANK(0x123456)", 0x56 + 0x34 + 0x12},
        {"low(Start + 0x1FF)", 0xFF},
        {"1 << 63", 0, "shift by 63 out of 0..62"},
        {"'AB'", 0, "a string in an expression is one character, not 'AB'"},
        {"\"A\" + 1", 'B'},
        {"'''' + \"\"\"\"", '\'' + '"'},
        {"'abc", 0, "unterminated string"},
        {"1 + \"abc", 0, "unterminated string"},
        {"(7FFFFFFFh << 32) + 0FFFFFFFFh", 0x7FFFFFFFFFFFFFFFLL},
        {"-(7FFFFFFFh << 32) - (7FFFFFFFh << 32) - 0FFFFFFFFh * 2 - 2", 0,
         "value out of the 64-bit range"},
        {"Start - Start", 0},
        {"4294967296", 0, "number too large '4294967296' (at most 0FFFFFFFFh)"},
        {"-7 / 2 + -7 % 2 * 10 + (-7 >> 1) * 100", -3 - 10 - 400},
    };
    for (const ExpressionCase& c : cases) {
        Result<long long> value = Evaluate(c.text, [](const std::string& name) -> Result<Value> {
            if (name == "Start")
                return Value(0x10000LL);
            return Diagnostic{{}, 0, "undefined symbol '" + name + "'"};
        });
        if (c.message)
            EXPECT_EQ(value.ok() ? "" : value.error().message, c.message) << c.text;
        else
            EXPECT_EQ(value.ok() ? *value : -1, c.value) << c.text;
    }
}

// One case for each pair of neighbouring rows of the operator table in
// docs/assembler.md, tightest first: each groups as the table says, where
// the other grouping would give another value.
TEST(Expression, GroupsAsTheDocumentedOperatorTable) {
    const ExpressionCase cases[] = {
        {"!0 * 5", 5},       // unary before * / %
        {"2 + 3 * 4", 14},   // * / % before + -
        {"1 << 2 + 1", 8},   // + - before << >>
        {"1 < 1 << 1", 1},   // << >> before < <= > >=
        {"2 > 1 == 0", 0},   // comparisons before == !=
        {"1 & 2 == 2", 1},   // == != before &
        {"3 ^ 1 & 2", 3},    // & before ^
        {"3 | 1 ^ 1", 3},    // ^ before |
        {"0 && 1 | 2", 0},   // | before &&
        {"1 || 0 && 0", 1},  // && before ||
        {"10 - 4 - 3", 3},   // each level from the left
        {"64 >> 2 >> 1", 8},
    };
    for (const ExpressionCase& c : cases) {
        Result<long long> value =
            Evaluate(c.text, [](const std::string&) -> Result<Value> { return Value(0LL); });
        EXPECT_EQ(value.ok() ? *value : -1, c.value) << c.text;
    }
}

// Deep nesting is refused with its reason, not by running out of stack.
TEST(Expression, RefusesNestingBeyondItsBound) {
    auto none = [](const std::string&) -> Result<Value> { return Value(0LL); };
    const std::string deepest[] = {
        std::string(3000, '(') + "1" + std::string(3000, ')'),
        std::string(100000, '-') + "1",
        std::string(100000, '~') + "1",
    };
    for (const std::string& text : deepest) {
        Result<long long> value = Evaluate(text, none);
        ASSERT_FALSE(value.ok());
        EXPECT_EQ(value.error().message,
                  "expression nested more than 256 deep (parentheses and unary operators)");
    }
    EXPECT_EQ(Evaluate(std::string(200, '(') + "1" + std::string(200, ')'), none).ok(), true);
}

}  // namespace
}  // namespace cuffware::toolchain

namespace cuffware::toolchain {
namespace {

// An address not known until the program is located may be moved by a
// number or taken apart, and two addresses in one place give a number;
// anything else on it is refused.
TEST(Expression, CarriesAnAddressTheLocatorFillsIn) {
    SymbolLookup lookup = [](const std::string& name) -> Result<Value> {
        return Value(name, name == "Far" ? 0x10 : 0);
    };
    Result<Value> moved = EvaluateValue("Far + 4 - 1", lookup);
    ASSERT_TRUE(moved.ok());
    EXPECT_EQ(moved->symbol, "Far");
    EXPECT_EQ(moved->number, 0x13);
    Result<Value> high = EvaluateValue("HIGH(Far + 2)", lookup);
    ASSERT_TRUE(high.ok());
    EXPECT_EQ(high->part, ValuePart::kHigh);
    EXPECT_EQ(high->number, 0x12);
    Result<Value> distance = EvaluateValue("(Far + 8) - Far", lookup);
    ASSERT_TRUE(distance.ok());
    EXPECT_TRUE(distance->Known());
    EXPECT_EQ(distance->number, 8);
    for (const char* refused : {"Far * 2", "-Far", "Far + Near", "LOW(Far) + 1", "3 - Far"}) {
        Result<Value> value = EvaluateValue(refused, lookup);
        EXPECT_FALSE(value.ok()) << refused;
    }
}

}  // namespace
}  // namespace cuffware::toolchain
