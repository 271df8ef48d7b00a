#include "app/actions/start_downloader.h"

#include <gtest/gtest.h>

#include "support/workbench_fixture.h"

namespace cuffware {
namespace {

using testing::Shown;

constexpr const char* kCommand =
    "C:\\q740\\bin\\CuffwareDL.exe C:\\q740\\app\\Alarm\\build\\Alarm.app";

class StartDownloaderTest : public testing::WorkbenchFixture {
  protected:
    StartDownloaderTest() {
        bench.settings.SdkPath = " C:\\q740 ";
        bench.project.BuildDirectory = "C:\\q740\\app\\Alarm\\build ";
        bench.project.FolderName = " Alarm";
    }
};

TEST_F(StartDownloaderTest, TheCommandLineIsAPlainConcatenation) {
    EXPECT_EQ(DownloaderCommandLine(bench), kCommand);
}

// The descriptor does not exist: checking the package is the downloader's job.
TEST_F(StartDownloaderTest, StartsWithoutTouchingTheStatus) {
    EXPECT_TRUE(StartDownloader(bench));
    EXPECT_EQ(processes.started, std::vector<std::string>{std::string("command ") + kCommand});
    EXPECT_TRUE(user.shown.empty());

    processes.exitStatus = 1;
    EXPECT_EQ(RunDownloaderAndWait(bench), 1);
    EXPECT_TRUE(user.shown.empty());
}

TEST_F(StartDownloaderTest, ABlankFolderNameOnlySetsTheStatus) {
    bench.project.FolderName = "  ";
    EXPECT_FALSE(StartDownloader(bench));
    EXPECT_EQ(RunDownloaderAndWait(bench), std::nullopt);
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Status, "Application not specified"},
                                              {Shown::Status, "Application not specified"}}));
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(StartDownloaderTest, ADownloaderThatCannotStartIsReported) {
    processes.failWith = "cannot be started: No such file or directory";
    EXPECT_FALSE(StartDownloader(bench));
    EXPECT_EQ(RunDownloaderAndWait(bench), std::nullopt);
    Shown report{Shown::Message,
                 std::string("The downloader could not be started.\n") + kCommand +
                     ": cannot be started: No such file or directory",
                 MessageIcon::Critical};
    EXPECT_EQ(user.shown, (std::vector<Shown>{report, report}));
}

}  // namespace
}  // namespace cuffware
