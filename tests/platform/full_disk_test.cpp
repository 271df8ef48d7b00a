// The file system under attack and on a failing disk: links and files at the
// names it writes, special files where it reads, a disk that fills up.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;

class HostileDisk : public ::testing::Test {
  protected:
    HostileDisk() {
        dir.Write("demo.scr", "old script");
        dir.Write("outside/secret.txt", "outside");
    }

    // The names in dir besides the file written.
    std::string Leftovers() const {
        std::string names;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            if (entry.path().filename() != "demo.scr" && entry.path().filename() != "outside")
                names += entry.path().filename().string() + " ";
        return names;
    }

    testing::TempDir dir;
    const std::string path = dir / "demo.scr";
    FileSystem& disk = DiskFileSystem();
};

TEST_F(HostileDisk, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    Status written = [&] {
        testing::FileSizeLimit full(4);
        return disk.WriteFile(path, "new script\r\n");
    }();
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().Text(), path + ": cannot write: File too large");
    EXPECT_EQ(dir.Read("demo.scr"), "old script");
    EXPECT_EQ(Leftovers(), "");
}

// Links planted at the names a temporary file might take, the old fixed one
// and this process's next ones, are passed over: the write goes to a name
// of its own, the file outside stays, and the links stay links.
TEST_F(HostileDisk, LinksAtTemporaryNamesAreNeverWrittenThrough) {
    Result<std::string> probe = disk.WriteTemporary(path, "probe");
    ASSERT_TRUE(probe.ok());
    ASSERT_TRUE(disk.RemoveFile(*probe).ok());
    const std::string name = probe->substr(0, probe->size() - std::strlen(kTemporarySuffix));
    const std::string stem = name.substr(0, name.rfind('-') + 1);  // "...scr.PID-"
    const int next = std::stoi(name.substr(stem.size()));
    fs::create_symlink(dir / "outside/secret.txt", path + ".cuffware-new");
    for (int n = next + 1; n <= next + 5; ++n)
        fs::create_symlink(dir / "outside/secret.txt", stem + std::to_string(n) + ".cuffware-new");

    ASSERT_TRUE(disk.WriteFile(path, "new script").ok());
    EXPECT_EQ(dir.Read("demo.scr"), "new script");
    EXPECT_EQ(dir.Read("outside/secret.txt"), "outside");
    EXPECT_FALSE(fs::is_symlink(path));
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.path().extension() == ".cuffware-new") {
            EXPECT_TRUE(fs::is_symlink(entry.symlink_status())) << entry.path();
        }
    }
}

// A NUL would end the name at the host: "demo.scr\0\\build" must not reach demo.scr.
TEST_F(HostileDisk, ANameWithANulByteIsRefused) {
    const std::string cut = path + std::string(1, '\0') + "\\build";
    EXPECT_EQ(disk.WriteFile(cut, "new").error().message, "refused: the name holds a NUL byte");
    EXPECT_FALSE(disk.ReadFile(cut, 100).ok());
    EXPECT_FALSE(disk.Exists(cut));
    EXPECT_EQ(dir.Read("demo.scr"), "old script");
    EXPECT_EQ(Leftovers(), "");
}

// A link may never take a file's name by a rename either.
TEST_F(HostileDisk, ALinkIsNeverRenamedOverTheFile) {
    fs::create_symlink(dir / "outside/secret.txt", dir / "link.cuffware-new");
    Status renamed = disk.Rename(dir / "link.cuffware-new", path);
    ASSERT_FALSE(renamed.ok());
    EXPECT_EQ(renamed.error().Text(),
              dir / "link.cuffware-new" + ": cannot replace: not a regular file");
    EXPECT_EQ(dir.Read("demo.scr"), "old script");
}

// Reads take regular files of a bounded size only: a device, a FIFO (which
// would block) or a file over the bound is refused unread.
TEST_F(HostileDisk, ReadsRefuseSpecialFilesAndFilesOverTheirBound) {
    fs::create_symlink("/dev/zero", dir / "zero.bin");
    ASSERT_EQ(mkfifo((dir / "fifo.sre").c_str(), 0600), 0);
    dir.Write("big.ini", std::string(1025, '\n'));

    EXPECT_EQ(disk.ReadFile(dir / "zero.bin", 1 << 20).error().Text(),
              dir / "zero.bin" + ": cannot read: not a regular file");
    EXPECT_EQ(disk.ReadFile(dir / "fifo.sre", 1 << 20).error().Text(),
              dir / "fifo.sre" + ": cannot read: not a regular file");
    EXPECT_EQ(disk.ReadFile(dir / "big.ini", 1024).error().Text(),
              dir / "big.ini" + ": cannot read: more than 1024 bytes");
    EXPECT_EQ(*disk.ReadFile(dir / "big.ini", 1025), std::string(1025, '\n'));
    EXPECT_TRUE(disk.Exists(dir / "fifo.sre"));  // without waiting for a writer
}

}  // namespace
}  // namespace cuffware
#endif
