#include "generate/sdk_headers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

namespace cuffware {
namespace {

// The groups are slices of the one list: together they are the list, in
// its order, with no name left out or given twice.
TEST(SdkHeaders, TheGroupsCoverTheNamesInOrderAndNoNameRepeats) {
    std::vector<std::string_view> grouped;
    for (const SdkHeaderGroup& group : SdkHeaderGroups()) {
        EXPECT_FALSE(group.headers.empty()) << group.module;
        grouped.insert(grouped.end(), group.headers.begin(), group.headers.end());
    }
    std::span<const std::string_view> names = SdkHeaderNames();
    EXPECT_EQ(grouped, std::vector<std::string_view>(names.begin(), names.end()));
    EXPECT_EQ(std::set<std::string_view>(names.begin(), names.end()).size(), names.size());
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
