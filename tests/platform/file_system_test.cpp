#include "platform/file_system.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>

#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::TempDir;

TEST(DiskFileSystem, WriteReplacesTheWholeFileAndLeavesNoTemporary) {
    TempDir dir;
    FileSystem& fs = DiskFileSystem();
    ASSERT_TRUE(fs.WriteFile(dir / "a.txt", "a long first content").ok());
    ASSERT_TRUE(fs.WriteFile(dir / "a.txt", "short").ok());
    EXPECT_EQ(dir.Read("a.txt"), "short");
    EXPECT_EQ(*fs.ReadFile(dir / "a.txt", 5), "short");
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path()))
        entries += e.exists();
    EXPECT_EQ(entries, 1);
}

TEST(DiskFileSystem, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
    TempDir dir;
    FileSystem& fs = DiskFileSystem();
    Status missingParent = fs.WriteFile(dir / "no/such/dir/a.txt", "x");
    ASSERT_FALSE(missingParent.ok());
    EXPECT_EQ(missingParent.error().path, dir / "no/such/dir/a.txt");
    EXPECT_NE(missingParent.error().message.find("No such file or directory"), std::string::npos);
}

// The permission cases need a user whom permissions stop: root is not one.
// tests/run_unprivileged.sh runs them as nobody (ctest: unprivileged_*).
#ifdef _WIN32
#define SKIP_FOR_ROOT() GTEST_SKIP() << "POSIX permissions"
#else
#define SKIP_FOR_ROOT()                                                                     \
    if (geteuid() == 0)                                                                     \
    GTEST_SKIP() << "root passes every permission; tests/run_unprivileged.sh runs this as " \
                    "an unprivileged user"
#endif

TEST(DiskFileSystem, AReadOnlyDirectoryKeepsItsFile) {
    SKIP_FOR_ROOT();
    TempDir dir;
    FileSystem& fs = DiskFileSystem();
    dir.Write("ro/keep.txt", "old");
    std::filesystem::permissions(
        dir / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Status readOnly = fs.WriteFile(dir / "ro/keep.txt", "new");
    ASSERT_FALSE(readOnly.ok());
    EXPECT_NE(readOnly.error().message.find("Permission denied"), std::string::npos);
    EXPECT_EQ(dir.Read("ro/keep.txt"), "old");
}

// A file of mode 000 is there but may not be read: it is reported with the
// system's reason wherever it is read, asked about or would be replaced, and
// it stays as it is.
TEST(DiskFileSystem, AFileItMayNotReadIsReportedAndNeverReplaced) {
    SKIP_FOR_ROOT();
    TempDir dir;
    FileSystem& fs = DiskFileSystem();
    dir.Write("locked.scr", "old");
    std::filesystem::permissions(dir / "locked.scr", std::filesystem::perms::none);
    Result<std::string> read = fs.ReadFile(dir / "locked.scr", 100);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().message, "cannot open: Permission denied");
    EXPECT_FALSE(fs.Exists(dir / "locked.scr"));
    Result<bool> present = fs.Present(dir / "locked.scr");
    ASSERT_FALSE(present.ok());
    EXPECT_NE(present.error().message.find("Permission denied"), std::string::npos);
    Status replaced = fs.WriteFile(dir / "locked.scr", "new");
    ASSERT_FALSE(replaced.ok());
    EXPECT_NE(replaced.error().message.find("Permission denied"), std::string::npos);
    std::filesystem::permissions(dir / "locked.scr", std::filesystem::perms::owner_read);
    EXPECT_EQ(dir.Read("locked.scr"), "old");
    EXPECT_EQ(std::filesystem::directory_iterator(dir.path())->path().filename(), "locked.scr");
}

TEST(DiskFileSystem, ExistsMeansReadable) {
    TempDir dir;
    dir.Write("there.sre", "S0");
    EXPECT_TRUE(DiskFileSystem().Exists(dir / "there.sre"));
    EXPECT_FALSE(DiskFileSystem().Exists(dir / "gone.sre"));
    EXPECT_FALSE(DiskFileSystem().Exists(dir / "no/dir/x"));
}

TEST(DiskFileSystem, MakeDirectoryCreatesOneLevelOnly) {
    TempDir dir;
    FileSystem& fs = DiskFileSystem();
    EXPECT_TRUE(fs.MakeDirectory(dir / "build").ok());
    EXPECT_TRUE(fs.MakeDirectory(dir / "build").ok());  // an existing one is fine
    EXPECT_FALSE(fs.MakeDirectory(dir / "a/b").ok());
    EXPECT_FALSE(dir.Exists("a"));
}

TEST(DiskFileSystem, DeleteMatchingTakesOnlyThePattern) {
    TempDir dir;
    for (const char* name : {"state1.asm", "STATE1.SRE", "state1.obj", "state10.asm", "state11.sre",
                             "state1", "xstate1.asm"})
        dir.Write(name, "x");
    EXPECT_EQ(DiskFileSystem().DeleteMatching(dir.path(), "state1.*"), 3);
    EXPECT_FALSE(dir.Exists("state1.asm"));
    EXPECT_FALSE(dir.Exists("STATE1.SRE"));
    EXPECT_TRUE(dir.Exists("state10.asm"));
    EXPECT_TRUE(dir.Exists("state11.sre"));
    EXPECT_TRUE(dir.Exists("state1"));
    EXPECT_TRUE(dir.Exists("xstate1.asm"));
    EXPECT_EQ(DiskFileSystem().DeleteMatching(dir / "missing", "*"), 0);
}

TEST(WildcardMatch, StarAndQuestionMarkIgnoringCase) {
    EXPECT_TRUE(WildcardMatch("*.sre", "COMMON.SRE"));
    EXPECT_TRUE(WildcardMatch("state?.*", "state7.lst"));
    EXPECT_FALSE(WildcardMatch("state?.*", "state12.lst"));
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_FALSE(WildcardMatch("a*b", "ac"));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXbYbZc"));
}

}  // namespace
}  // namespace cuffware
