// "cuffware new" over names it must not take: a folder name that is not one
// plain folder, a starter source that is there but cannot be opened.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <sstream>
#include <utility>

#include "app/command_line/headless.h"
#include "support/recording_processes.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;

class NewProjectFaults : public ::testing::Test {
  protected:
    testing::TempDir dir;
};

// "cuffware new FOLDER" with the SDK in dir/sdk: its exit status, and what
// it printed on stderr.
std::pair<int, std::string> NewProject(const testing::TempDir& dir, const std::string& folder) {
    dir.Write("sdk.ini", "BIN=" + dir / "sdk" + "\r\nSTATES=2\r\n");
    testing::RecordingProcesses processes;
    std::ostringstream out, err;
    const int status = RunHeadless({"--settings", dir / "sdk.ini", "new", folder}, DiskFileSystem(),
                                   processes, out, err);
    return {status, err.str()};
}

// A folder name that is not one plain folder below the SDK's app folder is
// refused naming the field, its control bytes escaped, and nothing is made.
TEST_F(NewProjectFaults, NewRefusesAFolderNameThatIsNotOnePlainFolder) {
    for (const char* folder :
         {"..", ".", "demo.", "..\\..\\out", "c:\\out", "de\x7Fmo", "\x1B[2Jdemo", "CON", "nul.txt",
          "Com1", "lpt9.x.y", "aux ", "PRN.."}) {
        auto [status, err] = NewProject(dir, folder);
        EXPECT_EQ(status, kExitUsage) << folder;
        EXPECT_TRUE(err.starts_with("cuffware: the folder name \"")) << err;
        EXPECT_EQ(err.find_first_of("\x1B\x7F"), std::string::npos) << err;
    }
    EXPECT_EQ(NewProject(dir, "de\x7Fmo").second,
              "cuffware: the folder name \"de\\x7Fmo\" holds a control byte\n");
    EXPECT_EQ(NewProject(dir, "con.app").second,
              "cuffware: the folder name \"con.app\" names the Windows device CON\n");
    EXPECT_FALSE(fs::exists(dir / "sdk"));
}

#ifndef _WIN32
// A starter source that is there but cannot be opened is not taken for a
// missing one: new names it with the reason, writes nothing, and the link stays.
TEST_F(NewProjectFaults, NewRefusesOverALinkToNothingOrALinkLoop) {
    fs::create_directories(dir / "sdk/app/demo/src");
    const std::string source = dir / "sdk/app/demo/src/appparam.asm";
    fs::create_symlink("nowhere.asm", source);
    auto [dangling, danglingErr] = NewProject(dir, "demo");
    EXPECT_EQ(dangling, kExitFailure);
    EXPECT_EQ(danglingErr, dir / "sdk\\app\\demo\\src\\appparam.asm" +
                               ": cannot open: a link to nothing (its target does not exist); "
                               "nothing was written.\n");
    fs::remove(source);
    fs::create_symlink("appparam.asm", source);
    auto [loop, loopErr] = NewProject(dir, "demo");
    EXPECT_EQ(loop, kExitFailure);
    EXPECT_NE(loopErr.find("Too many levels of symbolic links"), std::string::npos) << loopErr;
    EXPECT_TRUE(fs::is_symlink(source));
    EXPECT_FALSE(fs::exists(dir / "sdk/app/demo/build"));
}

// A starter source of mode 000 is there: new names it with the reason and
// writes nothing (as root, permissions stop nothing: tests/run_unprivileged.sh
// runs this as an unprivileged user).
TEST_F(NewProjectFaults, NewRefusesASourceItMayNotRead) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root passes every permission; tests/run_unprivileged.sh runs this";
    fs::create_directories(dir / "sdk/app/demo/src");
    dir.Write("sdk/app/demo/src/appstate0.asm", "mine");
    fs::permissions(dir / "sdk/app/demo/src/appstate0.asm", fs::perms::none);
    auto [status, err] = NewProject(dir, "demo");
    EXPECT_EQ(status, kExitFailure);
    EXPECT_EQ(err, dir / "sdk\\app\\demo\\src\\appstate0.asm" +
                       ": cannot open: Permission denied; nothing was written.\n");
    EXPECT_FALSE(fs::exists(dir / "sdk/app/demo/src/appparam.asm"));
    EXPECT_FALSE(fs::exists(dir / "sdk/app/demo/build"));
}
#endif

}  // namespace
}  // namespace cuffware
