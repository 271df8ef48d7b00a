#include <gtest/gtest.h>

#include "package/code_image.h"
#include "package/parameter_image.h"
#include "package/s2_records.h"

namespace cuffware {
namespace {

using testing::ByteString;
using testing::Counting;

std::vector<SRecordData> Sections(std::initializer_list<size_t> sizes) {
    std::vector<SRecordData> sections;
    for (size_t size : sizes)
        sections.push_back({"b\\S" + std::to_string(sections.size()) + ".SRE", Counting(size)});
    return sections;
}

TEST(CodeImage, PacksTheSectionsBehindTheirDirectory) {
    const std::string common = Counting(100), state0 = Counting(50, 7), state1 = Counting(20, 9);
    const std::string expected = ByteString({0xC0, 0, 0xC0, 0, 2, 3, 0, 6, 0, 0x6D, 0, 0xA2, 0}) +
                                 ByteString({103, 0, 0}) + common + ByteString({53, 0, 1}) +
                                 state0 + ByteString({23, 0, 1}) + state1;
    Result<std::string> image = ComposeCodeImage({{"c", common}, {"s0", state0}, {"s1", state1}});
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(*image, expected);
}

TEST(CodeImage, PadsToWhole64ByteBlocks) {
    Result<std::string> image = ComposeCodeImage(Sections({101, 50, 20}));
    ASSERT_TRUE(image.ok());
    ASSERT_EQ(image->size(), 256u);
    EXPECT_EQ(image->substr(0, 4), ByteString({0, 1, 193, 0}));
    EXPECT_EQ(image->substr(193), std::string(63, '\0'));

    image = ComposeCodeImage(Sections({0}));  // one empty common section
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(*image, ByteString({64, 0, 12, 0, 2, 1, 0, 2, 0, 3, 0, 0}) + std::string(52, '\0'));
}

TEST(CodeImage, HoldsAtMost32768Bytes) {
    // 7 + 4 header bytes, 3 + 3 section headers: 32768 in all.
    Result<std::string> full = ComposeCodeImage(Sections({100, 32768 - 117}));
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full->size(), 32768u);
    EXPECT_EQ(full->substr(0, 4), ByteString({0, 0x80, 0, 0x80}));

    Result<std::string> over = ComposeCodeImage(Sections({100, 32768 - 116, 0}));
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.error().Text(),
              "b\\S1.SRE: the code image would take 32774 bytes, more than the 32768 it can hold");
}

TEST(ParameterImage, CarriesTheCodeImageLengthAt9And10) {
    Result<std::string> image = ComposeParameterImage({"p", Counting(12)}, 0x1C0);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(*image, Counting(9) + ByteString({0xC0, 1, 12}) + std::string(16, '\0'));

    image = ComposeParameterImage({"p", Counting(31)}, 64);  // bytes 28 to 30 dropped
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(*image, Counting(9) + ByteString({64, 0}) + Counting(17, 12));

    image = ComposeParameterImage({"b\\param.sre", Counting(32)}, 64);
    ASSERT_FALSE(image.ok());
    EXPECT_EQ(image.error().Text(),
              "b\\param.sre: 32 parameter data bytes, more than the 31 the image can take");
}

}  // namespace
}  // namespace cuffware
