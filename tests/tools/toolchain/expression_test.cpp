#include "toolchain/expression.h"

#include <gtest/gtest.h>

namespace cuffware::toolchain {
namespace {

Result<long long> Eval(std::string_view text) {
    return Evaluate(text, [](const std::string& name) -> Result<long long> {
        if (name == "Start")
            return 0x10000LL;
        return Diagnostic{{}, 0, "undefined symbol '" + name + "'"};
    });
}

TEST(Expression, ReadsTheThreeNumberNotationsAndSymbols) {
    EXPECT_EQ(*Eval("900"), 900);
    EXPECT_EQ(*Eval("0x1F"), 31);
    EXPECT_EQ(*Eval("0FFh"), 255);
    EXPECT_EQ(*Eval("10H"), 16);
    EXPECT_EQ(*Eval("Start + 2"), 0x10002);
}

TEST(Expression, KeepsPrecedenceParenthesesAndUnaryMinus) {
    EXPECT_EQ(*Eval("2 + 3 * 4"), 14);
    EXPECT_EQ(*Eval("(2 + 3) * 4"), 20);
    EXPECT_EQ(*Eval("20 / 3 - -1"), 7);
    EXPECT_EQ(*Eval("-(Start - 0x10010)"), 16);
}

TEST(Expression, ReportsWhatItCannotEvaluate) {
    EXPECT_EQ(Eval("Nowhere + 1").error().message, "undefined symbol 'Nowhere'");
    EXPECT_EQ(Eval("4 / (2 - 2)").error().message, "division by zero");
    EXPECT_EQ(Eval("12x").error().message, "bad number '12x'");
    EXPECT_EQ(Eval("0FFFFFFFFFh").error().message, "number too large '0FFFFFFFFFh'");
    EXPECT_EQ(Eval("(1 + 2").error().message, "')' expected");
    EXPECT_EQ(Eval("1 $ 2").error().message, "unexpected character '$'");
    EXPECT_EQ(Eval("").error().message, "expression expected");
    EXPECT_EQ(Eval("0xFFFFFFFF * 0xFFFFFFFF * 0xFFFFFFFF").error().message, "value too large");
}

}  // namespace
}  // namespace cuffware::toolchain
