#include "platform/drive_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

#ifndef _WIN32
// "c=/x/one d=/x/two": each drive and its target, in letter order.
std::string Listed(std::vector<DriveLink> drives) {
    std::sort(drives.begin(), drives.end(),
              [](const DriveLink& a, const DriveLink& b) { return a.letter < b.letter; });
    std::string text;
    for (const DriveLink& drive : drives)
        text += (text.empty() ? "" : " ") + std::string(1, drive.letter) + "=" +
                drive.target.filename().string();
    return text;
}

// A file system keeps times to a clock tick; these changes come faster. Each
// is dated a second after the one before, as changes apart in time would be.
void DateChange(const fs::path& directory) {
    static time_t next = time(nullptr) - 600;
    timespec times[2] = {{next, 0}, {next, 0}};
    ++next;
    ASSERT_EQ(::utimensat(AT_FDCWD, directory.c_str(), times, 0), 0);
}

// The clock of this cache runs a minute ahead, so every list it reads is
// settled and kept: each change after that must still be seen, through the
// directory's stamp alone.
TEST(DriveListCache, SeesEveryChangeToTheDrivesAfterKeepingThem) {
    TempDir dir;
    fs::create_directories(dir / "one");
    fs::create_directories(dir / "two");
    const fs::path devices = dir / "dosdevices";
    fs::create_directories(devices);
    fs::create_directory_symlink(dir / "one", devices / "c:");
    DateChange(devices);
    DriveListCache cache([] { return NowForStamps() + 60'000'000'000; });
    EXPECT_EQ(Listed(cache.Drives(devices)), "c=one");
    EXPECT_EQ(Listed(cache.Drives(devices)), "c=one");

    fs::create_directory_symlink(dir / "two", devices / "D:");
    DateChange(devices);
    EXPECT_EQ(Listed(cache.Drives(devices)), "c=one d=two");

    fs::remove(devices / "c:");
    fs::create_directory_symlink(dir / "two", devices / "c:");
    DateChange(devices);
    EXPECT_EQ(Listed(cache.Drives(devices)), "c=two d=two");

    fs::remove(devices / "D:");
    DateChange(devices);
    EXPECT_EQ(Listed(cache.Drives(devices)), "c=two");

    // A prefix laid out anew in the same place is another directory.
    fs::remove_all(devices);
    fs::create_directories(devices);
    fs::create_directory_symlink(dir / "one", devices / "e:");
    DateChange(devices);
    EXPECT_EQ(Listed(cache.Drives(devices)), "e=one");
}

// A drive whose target is not there yet is no drive, but the list is not
// kept: the target may appear without the directory changing.
TEST(DriveListCache, ADriveThatLeadsNowhereIsLookedAtAgain) {
    TempDir dir;
    const fs::path devices = dir / "dosdevices";
    fs::create_directories(devices);
    fs::create_directory_symlink(dir / "later", devices / "f:");
    fs::create_symlink("/dev/null", devices / "c::");
    DriveListCache cache([] { return NowForStamps() + 60'000'000'000; });
    EXPECT_EQ(Listed(cache.Drives(devices)), "");

    fs::create_directories(dir / "later");
    EXPECT_EQ(Listed(cache.Drives(devices)), "f=later");
}

TEST(DriveListCache, AStampIsTrustedOnlyOnceTheClockHasMovedWellPastIt) {
    // Times with fractions of a second: a tenth of a second settles them.
    const long long t = 100 * kStampSettling + 123'456'789;
    DirectoryStamp stamp{1, 2, t, t - 5'000'000};
    EXPECT_FALSE(IsSettled(stamp, t));
    EXPECT_FALSE(IsSettled(stamp, t + kFineStampSettling - 1));
    EXPECT_TRUE(IsSettled(stamp, t + kFineStampSettling));
    stamp.modified = t + kFineStampSettling;  // a time set ahead of the change
    EXPECT_FALSE(IsSettled(stamp, t + kFineStampSettling));

    // Whole seconds, as FAT keeps its modification times: two seconds.
    stamp = DirectoryStamp{1, 2, t, 100 * kStampSettling};
    EXPECT_FALSE(IsSettled(stamp, t + kFineStampSettling));
    EXPECT_FALSE(IsSettled(stamp, t + kStampSettling - 1));
    EXPECT_TRUE(IsSettled(stamp, t + kStampSettling));
}
#endif

}  // namespace
}  // namespace cuffware
