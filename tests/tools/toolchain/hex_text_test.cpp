#include "toolchain/isa/hex_text.h"

#include <gtest/gtest.h>

namespace cuffware::toolchain {
namespace {

TEST(HexText, AtLeastTheWidthInUpperCaseNegativesAsTwosComplement) {
    EXPECT_EQ(Hex(0, 0), "0");
    EXPECT_EQ(Hex(0, 4), "0000");
    EXPECT_EQ(Hex(0xAB, 2), "AB");
    EXPECT_EQ(Hex(0x1ABCD, 4), "1ABCD");
    EXPECT_EQ(Hex(0x10000, 6), "010000");
    EXPECT_EQ(Hex(0xF0, 3), "0F0");  // an odd count: a single digit before the pairs
    EXPECT_EQ(Hex(0xABC, 5), "00ABC");
    EXPECT_EQ(Hex(-1, 2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Hex(0x7FFFFFFFFFFFFFFF, 20), "00007FFFFFFFFFFFFFFF");
    EXPECT_EQ(HexLiteral(0xFF, 4), "0x00FF");

    std::string text = "S2";
    AppendHex(0x14, 2, text);
    AppendHex(0x10000, 6, text);
    AppendHexOfBytes(std::string("\x00\x7F\x80\xFF", 4), text);
    EXPECT_EQ(text, "S214010000007F80FF");
}

}  // namespace
}  // namespace cuffware::toolchain
