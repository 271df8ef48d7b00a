#include "platform/host_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/file_system.h"
#include "support/environment_scope.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::TempDir;

#ifndef _WIN32
TEST(MapPathText, DriveLettersGoThroughTheWinePrefix) {
    EXPECT_EQ(MapPathText("c:\\q740\\app\\demo\\build", "/home/u/.wine"),
              "/home/u/.wine/dosdevices/c:/q740/app/demo/build");
    EXPECT_EQ(MapPathText("D:\\sdk", "/p"), "/p/dosdevices/d:/sdk");
    EXPECT_EQ(MapPathText("c:", "/p"), "/p/dosdevices/c:");
    EXPECT_EQ(MapPathText("c:rel", "/p"), "/p/dosdevices/c:/rel");
}

// As on Windows, ".." stops at the drive's root, whichever separators and
// letter case the path has; a host path is the user's own and left alone.
TEST(MapPathText, DotDotStopsAtTheDrivesRoot) {
    EXPECT_EQ(MapPathText("c:\\..\\..\\out", "/p"), "/p/dosdevices/c:/out");
    EXPECT_EQ(MapPathText("C:\\q740\\app\\..\\..\\..\\..\\out\\notes", "/p"),
              "/p/dosdevices/c:/out/notes");
    EXPECT_EQ(MapPathText("d:/a/./b/../../../x//y\\", "/p"), "/p/dosdevices/d:/x/y");
    EXPECT_EQ(MapPathText("c:..\\..", "/p"), "/p/dosdevices/c:");
    EXPECT_EQ(MapPathText("/tmp/a/../b", "/p"), "/tmp/a/../b");
}

TEST(MapPathText, PosixPathsOnlyTurnTheirBackslashes) {
    EXPECT_EQ(MapPathText("/tmp/demo\\build\\common.asm", "/p"), "/tmp/demo/build/common.asm");
    EXPECT_EQ(MapPathText("build\\\\x", "/p"), "build//x");  // never normalised
}

// A relative WINEPREFIX is anchored once to the directory the program starts
// in; an absolute one, or none, stays as it is.
TEST(AnchorWinePrefix, MakesARelativePrefixAbsoluteOnce) {
    const std::string start = std::filesystem::current_path().string();
    testing::EnvironmentScope relative("WINEPREFIX", "q12/./x/..");
    AnchorWinePrefix();
    EXPECT_STREQ(std::getenv("WINEPREFIX"), (start + "/q12").c_str());
    testing::EnvironmentScope absolute("WINEPREFIX", "/abs/../prefix");
    AnchorWinePrefix();
    EXPECT_STREQ(std::getenv("WINEPREFIX"), "/abs/../prefix");
    testing::EnvironmentScope none;
    none.Set("WINEPREFIX", nullptr);
    AnchorWinePrefix();
    EXPECT_EQ(std::getenv("WINEPREFIX"), nullptr);
}

TEST(HostPath, FindsFilesOnAWineDriveWhateverTheCase) {
    TempDir prefix;
    prefix.Write("drive_c/Q740/App/Demo/build/demo_code_018.bin", "image");
    std::filesystem::create_directory(prefix / "dosdevices");
    std::filesystem::create_directory_symlink(prefix / "drive_c", prefix / "dosdevices/c:");
    testing::EnvironmentScope scope("WINEPREFIX", prefix.path());

    std::string found = HostPath("c:\\q740\\app\\demo\\build\\DEMO_CODE_018.BIN");
    EXPECT_EQ(found, prefix / "dosdevices/c:/Q740/App/Demo/build/demo_code_018.bin");
    EXPECT_TRUE(DiskFileSystem().Exists("C:\\Q740\\APP\\DEMO\\BUILD\\demo_code_018.bin"));
    EXPECT_FALSE(DiskFileSystem().Exists("c:\\q740\\app\\demo\\build\\other.bin"));
}

TEST(HostPath, AnExactComponentWinsOverOneThatDiffersInCase) {
    TempDir dir;
    dir.Write("Build/a.txt", "upper");
    dir.Write("build/a.txt", "lower");
    dir.Write("Only/b.txt", "one");
    EXPECT_EQ(HostPath(dir / "build/a.txt"), dir / "build/a.txt");
    EXPECT_EQ(HostPath(dir / "Build/a.txt"), dir / "Build/a.txt");
    EXPECT_EQ(HostPath(dir / "ONLY/B.TXT"), dir / "Only/b.txt");
}

TEST(HostPath, MissingComponentsStayAsGiven) {
    TempDir dir;
    EXPECT_EQ(HostPath(dir / "New\\File.TXT"), dir / "New/File.TXT");
}
#endif

}  // namespace
}  // namespace cuffware
