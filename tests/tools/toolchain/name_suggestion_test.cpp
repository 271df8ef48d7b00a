#include "toolchain/assembler/name_suggestion.h"

#include <gtest/gtest.h>

namespace cuffware::toolchain {
namespace {

TEST(NameSuggestion, OneSlipAwayOrAnotherCase) {
    struct Case {
        const char* written;
        const char* defined;
        bool looksLike;
    };
    const Case cases[] = {
        {"showTitle", "ShowTitle", true},
        {"ShowTitel", "ShowTitle", true},
        {"ShowTitl", "ShowTitle", true},
        {"ShowTitlee", "ShowTitle", true},
        {"SxowTitle", "ShowTitle", true},
        {"hsowTitle", "ShowTitle", true},
        {"ShowTit", "ShowTitle", false},
        {"SwohTitle", "ShowTitle", false},
        {"TitleShow", "ShowTitle", false},
        {"", "A", true},
        {"AB", "BA", true},
        {"ABC", "CBA", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LooksLike(c.written, c.defined), c.looksLike) << c.written;
        EXPECT_EQ(LooksLike(c.defined, c.written), c.looksLike) << c.written;
    }
}

}  // namespace
}  // namespace cuffware::toolchain
