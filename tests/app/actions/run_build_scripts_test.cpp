#include "app/actions/run_build_scripts.h"

#include <gtest/gtest.h>

#include "support/workbench_fixture.h"

namespace cuffware {
namespace {

using testing::Shown;
using testing::TempDir;

constexpr const char* kWait =
    "Assembling the application.  Wait until the build window closes before selecting OK.";

class RunBuildScriptsTest : public testing::WorkbenchFixture {
  protected:
    RunBuildScriptsTest() {
        bench.project.FolderName = "Alarm";
        bench.project.BuildDirectory = " " + dir.path() + "\\build ";
        dir.Write("build/BUILD.BAT", "@ECHO OFF\r\n");
    }

    std::string Batch() const { return dir.path() + "\\build\\build.bat"; }
};

TEST_F(RunBuildScriptsTest, StartsTheBatchThenSaysToWait) {
    EXPECT_TRUE(RunBuildScripts(bench));
    EXPECT_EQ(processes.started, std::vector<std::string>{"batch " + Batch()});
    EXPECT_EQ(user.shown, (std::vector<Shown>{
                              {Shown::Status, "Executing the build scripts"},
                              {Shown::Message, kWait, MessageIcon::Exclamation},
                          }));
}

TEST_F(RunBuildScriptsTest, ABlankFolderNameOnlySetsTheStatus) {
    for (const char* folder : {"", "   "}) {
        bench.project.FolderName = folder;
        user.shown.clear();
        EXPECT_FALSE(RunBuildScripts(bench));
        EXPECT_FALSE(RunBuildScriptsAndWait(bench));
        EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Status, "Application not specified"},
                                                  {Shown::Status, "Application not specified"}}));
    }
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(RunBuildScriptsTest, AMissingBatchIsRefusedWithTheCriticalIcon) {
    bench.project.BuildDirectory = dir.path() + "\\elsewhere";
    EXPECT_FALSE(RunBuildScripts(bench));
    EXPECT_FALSE(RunBuildScriptsAndWait(bench));
    Shown refusal{Shown::Message, "Build scripts not available.  Create Build Scripts.",
                  MessageIcon::Critical};
    EXPECT_EQ(user.shown, (std::vector<Shown>{refusal, refusal}));
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(RunBuildScriptsTest, ABatchThatCannotStartIsReportedAndNothingElseShown) {
    processes.failWith = "the batch runner is missing";
    EXPECT_FALSE(RunBuildScripts(bench));
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Message,
                                               "The build scripts could not be started.\n" +
                                                   Batch() + ": the batch runner is missing",
                                               MessageIcon::Critical}}));
}

TEST_F(RunBuildScriptsTest, WaitingGivesTheBatchStatusAfterTheSameTexts) {
    processes.exitStatus = 3;
    EXPECT_EQ(RunBuildScriptsAndWait(bench), 3);
    EXPECT_EQ(processes.started, std::vector<std::string>{"batch " + Batch()});
    EXPECT_EQ(user.shown, (std::vector<Shown>{
                              {Shown::Status, "Executing the build scripts"},
                              {Shown::Message, kWait, MessageIcon::Exclamation},
                          }));
}

}  // namespace
}  // namespace cuffware
