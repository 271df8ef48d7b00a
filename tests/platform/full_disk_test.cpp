// The atomic writer on a full disk, without mounting one: the writer's
// temporary file is made a link to /dev/full, where every write fails with
// "No space left on device".

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;

class FullDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::is_character_file("/dev/full"))
            GTEST_SKIP() << "no /dev/full";
        dir.Write("demo.scr", "old script");
        fs::create_symlink("/dev/full", temporary);
    }

    // Only ever the link is removed, never what it points to; TempDir would
    // change the permissions of whatever a link left behind points to.
    ~FullDisk() override {
        std::error_code error;
        fs::remove(temporary, error);
    }

    void ExpectOldFileAndNoTemporary() {
        EXPECT_EQ(dir.Read("demo.scr"), "old script");
        EXPECT_FALSE(fs::exists(fs::symlink_status(temporary)));
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }

    testing::TempDir dir;
    const std::string path = dir / "demo.scr";
    const std::string temporary = path + ".cuffware-new";
};

TEST_F(FullDisk, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    Status written = DiskFileSystem().WriteFile(path, "new script\r\n");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().Text(), path + ": cannot write: No space left on device");
    ExpectOldFileAndNoTemporary();
}

// Nothing written means nothing fails on the device; the link must still
// never take the file's name.
TEST_F(FullDisk, ALinkIsNeverRenamedOverTheFile) {
    Status written = DiskFileSystem().WriteFile(path, "");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().Text(),
              path + ": cannot replace: " + temporary + " is not a regular file");
    ExpectOldFileAndNoTemporary();
    EXPECT_FALSE(fs::is_symlink(path));
}

}  // namespace
}  // namespace cuffware
