#include "platform/text_rules.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(Trimmed, RemovesOnlySpacesAtTheEnds) {
    EXPECT_EQ(Trimmed("  demo app  "), "demo app");
    EXPECT_EQ(Trimmed("\tdemo\t"), "\tdemo\t");
    EXPECT_EQ(Trimmed("    "), "");
    EXPECT_EQ(Trimmed(""), "");
}

TEST(NumericValue, TakesTheLeadingNumber) {
    EXPECT_EQ(NumericValue("15"), 15);
    EXPECT_EQ(NumericValue(" \t\n 7x"), 7);
    EXPECT_EQ(NumericValue("-2.5e1rest"), -25);
    EXPECT_EQ(NumericValue("+.5"), 0.5);
    EXPECT_EQ(NumericValue("3e"), 3);      // an exponent without digits ends the number
    EXPECT_EQ(NumericValue("12 34"), 12);  // an inner blank ends it
    EXPECT_EQ(NumericValue("0740018"), 740018);
}

TEST(NumericValue, NoNumberGivesZero) {
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("abc"), 0);
    EXPECT_EQ(NumericValue("-"), 0);
    EXPECT_EQ(NumericValue("."), 0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1e300), 9200000000000000000LL);  // clamped, not undefined
    EXPECT_EQ(WholeNumber("2.5"), 2);
}

TEST(Wrap16, KeepsTheLowSixteenBits) {
    EXPECT_EQ(Wrap16(254), 254);
    EXPECT_EQ(Wrap16(65536 + 3), 3);
    EXPECT_EQ(Wrap16(32768), -32768);
    EXPECT_EQ(Wrap16(-1), -1);
}

TEST(ShortestDecimal, DropsLeadingZerosAndNeedlessFractions) {
    EXPECT_EQ(ShortestDecimal(740018), "740018");
    EXPECT_EQ(ShortestDecimal(2.5), "2.5");
    EXPECT_EQ(ShortestDecimal(0), "0");
    EXPECT_EQ(ShortestDecimal(-3), "-3");
}

TEST(Ver3, LastThreeCharactersOfTheTrimmedVersion) {
    EXPECT_EQ(Ver3("740018"), "018");
    EXPECT_EQ(Ver3(" 740018 "), "018");
    EXPECT_EQ(Ver3("18"), "18");
    EXPECT_EQ(Ver3(""), "");
}

TEST(LetterCase, AsciiOnly) {
    EXPECT_EQ(ToUpperAscii("Demo_code_018.bin"), "DEMO_CODE_018.BIN");
    EXPECT_EQ(ToLowerAscii("Alarm\xC9"), "alarm\xC9");
    EXPECT_TRUE(StartsWithIgnoreCase("bin=D:\\sdk", "BIN="));
    EXPECT_FALSE(StartsWithIgnoreCase("BI", "BIN="));
}

}  // namespace
}  // namespace cuffware
