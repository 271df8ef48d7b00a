#include "generate/sdk_headers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

namespace cuffware {
namespace {

TEST(SdkHeaders, FiftyFourNamesInTwelveGroups) {
    std::vector<size_t> sizes;
    for (const SdkHeaderGroup& group : SdkHeaderGroups())
        sizes.push_back(group.headers.size());
    EXPECT_EQ(sizes, (std::vector<size_t>{1, 9, 3, 1, 3, 2, 2, 12, 14, 3, 2, 2}));
    EXPECT_EQ(SdkHeaderNames().size(), 54u);
}

// The demo SDK must hold every header the sources include, and nothing else.
TEST(SdkHeaders, TheDemoSdkHoldsExactlyTheMasterHeaderAndThese) {
    std::set<std::string> expected = {"Q740INC.H"};
    for (std::string_view name : SdkHeaderNames())
        expected.insert(std::string(name));
    std::set<std::string> present;
    const char* source = std::getenv("CUFFWARE_SOURCE_DIR");
    for (const auto& entry : std::filesystem::directory_iterator(
             std::string(source ? source : ".") + "/demo/sdk/include"))
        present.insert(entry.path().filename().string());
    EXPECT_EQ(present, expected);
}

}  // namespace
}  // namespace cuffware
