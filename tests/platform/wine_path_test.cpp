#include "platform/wine_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/environment_scope.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

#ifndef _WIN32
// Where a drive leads is kept for the process only while its link says the
// same: a drive pointed elsewhere, or one whose target appears later, is
// looked at anew.
TEST(WindowsPathUnderWine, FollowsADriveLinkThatChangesDuringTheRun) {
    TempDir dir;
    std::string prefix = dir / "prefix";
    dir.Write("one/a.asm", "");
    dir.Write("two/a.asm", "");
    fs::create_directories(prefix + "/dosdevices");
    fs::create_directory_symlink(dir / "one", prefix + "/dosdevices/e:");
    fs::create_directory_symlink(dir / "later", prefix + "/dosdevices/f:");
    EXPECT_EQ(WindowsPathUnderWine(dir / "one/a.asm", prefix), "e:\\a.asm");
    EXPECT_EQ(WindowsPathUnderWine(dir / "two/a.asm", prefix), std::nullopt);

    fs::remove(prefix + "/dosdevices/e:");
    fs::create_directory_symlink(dir / "two", prefix + "/dosdevices/e:");
    EXPECT_EQ(WindowsPathUnderWine(dir / "two/a.asm", prefix), "e:\\a.asm");
    EXPECT_EQ(WindowsPathUnderWine(dir / "one/a.asm", prefix), std::nullopt);

    dir.Write("later/b.asm", "");
    EXPECT_EQ(WindowsPathUnderWine(dir / "later/b.asm", prefix), "f:\\b.asm");
}

// A prefix as Wine lays it out: c: a relative link to drive_c, d: a link to
// a directory elsewhere that lies inside drive_c's tree as well, z: the
// root, and a raw device entry that is no drive.
TEST(WindowsPathUnderWine, FollowsTheDriveLinksWhicheverWayThePathCame) {
    TempDir dir;
    std::string prefix = dir / "prefix";
    dir.Write("prefix/drive_c/Q740/app/alarm/src/a.asm", "");
    dir.Write("prefix/drive_c/data/d.asm", "");
    dir.Write("elsewhere/e.asm", "");
    fs::create_directories(prefix + "/dosdevices");
    fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
    fs::create_directory_symlink(prefix + "/drive_c/data", prefix + "/dosdevices/d:");
    fs::create_directory_symlink("/", prefix + "/dosdevices/z:");
    fs::create_symlink("/dev/null", prefix + "/dosdevices/c::");
    fs::create_directory_symlink(prefix + "/drive_c/Q740/app", dir / "app-link");

    struct Case {
        std::string host;
        std::optional<std::string> windows;
    } cases[] = {
        {prefix + "/dosdevices/c:/Q740/app/alarm/src/a.asm", "c:\\Q740\\app\\alarm\\src\\a.asm"},
        {prefix + "/drive_c/Q740/app/alarm/src/a.asm", "c:\\Q740\\app\\alarm\\src\\a.asm"},
        {dir / "app-link/alarm/src/./a.asm", "c:\\Q740\\app\\alarm\\src\\a.asm"},
        {prefix + "/drive_c/Q740/app/alarm/src/new.asm", "c:\\Q740\\app\\alarm\\src\\new.asm"},
        {prefix + "/drive_c/data/d.asm", "d:\\d.asm"},  // the deeper drive
        {prefix + "/drive_c", "c:\\"},
        {dir / "elsewhere/e.asm", "z:" + fs::weakly_canonical(dir / "elsewhere/e.asm").string()},
        {"relative/a.asm", std::nullopt},
        {"c:\\q740\\a.asm", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<std::string> windows = WindowsPathUnderWine(c.host, prefix);
        if (windows && windows->starts_with("z:"))
            std::replace(windows->begin() + 2, windows->end(), '\\', '/');
        EXPECT_EQ(windows, c.windows) << c.host;
    }

    fs::remove(prefix + "/dosdevices/z:");
    EXPECT_EQ(WindowsPathUnderWine(dir / "elsewhere/e.asm", prefix), std::nullopt);
    EXPECT_EQ(WindowsPathUnderWine(dir / "elsewhere/e.asm", dir / "no-prefix"), std::nullopt);

    // A chosen file: the Windows form under the prefix in force, else as it is.
    testing::EnvironmentScope scope("WINEPREFIX", prefix);
    EXPECT_EQ(WindowsFormUnderWine(prefix + "/drive_c/data/d.asm"), "d:\\d.asm");
    EXPECT_EQ(WindowsFormUnderWine(dir / "elsewhere/e.asm"), dir / "elsewhere/e.asm");
    EXPECT_EQ(WindowsFormUnderWine("C:\\Q740\\a.asm"), "C:\\Q740\\a.asm");
}
#endif

}  // namespace
}  // namespace cuffware
