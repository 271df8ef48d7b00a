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
        {"1 $ 2", 0, "unexpected character '$'"},
        {"", 0, "expression expected"},
        {"0xFFFFFFFF * 0xFFFFFFFF * 0xFFFFFFFF", 0, "value too large"},
    };
    for (const ExpressionCase& c : cases) {
        Result<long long> value =
            Evaluate(c.text, [](const std::string& name) -> Result<long long> {
                if (name == "Start")
                    return 0x10000LL;
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
