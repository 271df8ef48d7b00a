#include "generate/sdk_headers.h"

#include <gtest/gtest.h>

#include <vector>

namespace cuffware {
namespace {

TEST(SdkHeaders, FiftyFourUpperCaseNamesInTwelveGroups) {
    std::vector<size_t> sizes;
    std::vector<std::string_view> flattened;
    for (const SdkHeaderGroup& group : SdkHeaderGroups()) {
        sizes.push_back(group.headers.size());
        flattened.insert(flattened.end(), group.headers.begin(), group.headers.end());
    }
    EXPECT_EQ(sizes, (std::vector<size_t>{1, 9, 3, 1, 3, 2, 2, 12, 14, 3, 2, 2}));
    ASSERT_EQ(SdkHeaderNames().size(), 54u);
    EXPECT_EQ(flattened,
              std::vector<std::string_view>(SdkHeaderNames().begin(), SdkHeaderNames().end()));
    for (std::string_view name : SdkHeaderNames()) {
        EXPECT_TRUE(name.ends_with(".H")) << name;
        for (char c : name)
            EXPECT_FALSE(c >= 'a' && c <= 'z') << name;
    }
}

}  // namespace
}  // namespace cuffware
