#include "toolchain/expression.h"

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
        {"0FFFFFFFFFh", 0, "number too large '0FFFFFFFFFh'"},
        {"(1 + 2", 0, "')' expected"},
        {"1 @ 2", 0, "unexpected character '@'"},
        {"", 0, "expression expected"},
        {"0xFFFFFFFF * 0xFFFFFFFF * 0xFFFFFFFF", 0, "value too large"},
        {"1 << 4 | 3 & 1 ^ 8", 25},
        {"~0 & 0FFh", 255},
        {"17 % 5 + (3 >= 3) + (2 != 2) + !0", 4},
        {"1 == 1 && 0 || 2 < 1", 0},
        {"0101b + 'A'", 0x46},
        {"LOW(0x123456) + HIGH(0x123456) + BANK(0x123456)", 0x56 + 0x34 + 0x12},
        {"low(Start + 0x1FF)", 0xFF},
        {"1 << 63", 0, "shift by 63 out of 0..62"},
        {"'AB'", 0, "a character in apostrophes is one character: 'AB"},
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
