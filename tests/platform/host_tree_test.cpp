#include "platform/host_tree.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::TempDir;

// Both trees on one drive, as the demo copies from the installation to the
// user's folder on Windows.
TEST(HostTree, CopyTreeCopiesEveryLevelIntoAnExistingDirectoryOnTheSameDrive) {
    TempDir from, to;
    from.Write("include/Q740INC.H", "header");
    from.Write("a/b/c/deep.asm", "deep");
    from.Write("top.txt", "");
    to.Write("kept.txt", "kept");
    ASSERT_TRUE(CopyTree(from.path(), to / "copy").ok());
    ASSERT_TRUE(CopyTree(from.path(), to.path()).ok());
    for (const std::string& prefix : {std::string("copy/"), std::string()}) {
        EXPECT_EQ(to.Read(prefix + "include/Q740INC.H"), "header");
        EXPECT_EQ(to.Read(prefix + "a/b/c/deep.asm"), "deep");
        EXPECT_TRUE(to.Exists(prefix + "top.txt"));
    }
    EXPECT_EQ(to.Read("kept.txt"), "kept");

    Status missing = CopyTree(from / "none", to / "other");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().Text().find("none"), std::string::npos) << missing.error().Text();
}

}  // namespace
}  // namespace cuffware
