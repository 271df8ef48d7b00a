#include "app/actions/file_commands.h"

#include <gtest/gtest.h>

#include "support/workbench_fixture.h"

namespace cuffware {
namespace {

using testing::Shown;
using testing::TempDir;

class FileCommands : public testing::WorkbenchFixture {
  protected:
    FileCommands() { LoadSettings("BIN=" + dir.path() + "\r\nSTATES=3\r\nVERSION=740020\r\n"); }

    // A project with a file in every category, in a build directory that exists.
    void FillProject() {
        SetFolderName(bench.project, "demo", bench.settings);
        bench.project.ApplicationName = "Demo";
        bench.project.PasswordSupport = 1;
        bench.project.BuildDirectory = dir / "build";
        for (int node = kParameterNode; node <= StateNode(3); ++node)
            AddFileToCategory(bench.project.Files, node, "f" + std::to_string(node) + ".asm");
    }
};

TEST_F(FileCommands, LoadTakesTheSettingsVersionAndShape) {
    EXPECT_EQ(bench.project.VersionRequired, "740020");
    EXPECT_EQ(bench.project.Files.CategoryCount(), 8);
}

TEST_F(FileCommands, NewEmptiesEverythingButKeepsTheDetailsUnlocked) {
    FillProject();
    NewProject(bench);
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Status, "Ready"}}));
    EXPECT_EQ(bench.project.ApplicationName, "");
    EXPECT_EQ(bench.project.FolderName, "");
    EXPECT_EQ(bench.project.BuildDirectory, "");
    EXPECT_EQ(bench.project.VersionRequired, "740018");
    EXPECT_EQ(bench.project.PasswordSupport, 0);
    for (int node = kParameterNode; node <= StateNode(3); ++node)
        EXPECT_EQ(bench.project.Files.ChildCount(node), 0);
    EXPECT_TRUE(bench.project.DetailsEditable);
}

TEST_F(FileCommands, SaveCreatesTheBuildDirectoryAndRestoreReadsItBack) {
    FillProject();
    ASSERT_TRUE(SaveProjectScript(bench));
    EXPECT_TRUE(user.shown.empty());
    ASSERT_TRUE(dir.Exists("build/demo.scr"));

    NewProject(bench);
    ASSERT_TRUE(RestoreProjectScript(bench, dir / "build/demo.scr"));
    EXPECT_EQ(bench.project.ApplicationName, "Demo");
    EXPECT_EQ(bench.project.PasswordSupport, 1);
    EXPECT_EQ(bench.project.Files.Files(StateNode(3)), std::vector<std::string>{"f9.asm"});
}

TEST_F(FileCommands, ABadScriptIsReportedAndTheOpenProjectStays) {
    FillProject();
    dir.Write("bad.scr", "App\r\ndemo\r\n");
    EXPECT_FALSE(RestoreProjectScript(bench, dir / "bad.scr"));
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.shown.back().icon, MessageIcon::Critical);
    EXPECT_NE(user.Messages()[0].find(dir / "bad.scr" + ", line 3:"), std::string::npos);
    EXPECT_EQ(bench.project.ApplicationName, "Demo");
    EXPECT_EQ(bench.project.Files.ChildCount(kParameterNode), 1);
}

TEST_F(FileCommands, AScriptFromALargerTreeIsRefused) {
    FillProject();
    std::string script =
        "App\r\ndemo\r\n\r\n\r\n\r\n740018\r\n0\r\n0\r\n\r\nh\r\ns\r\nb\r\ni\r\na\r\n300\r\n";
    dir.Write("big.scr", script);
    EXPECT_FALSE(RestoreProjectScript(bench, dir / "big.scr"));
    EXPECT_NE(user.Messages()[0].find("line 15"), std::string::npos);
    EXPECT_EQ(bench.project.ApplicationName, "Demo");
}

TEST_F(FileCommands, ASaveThatCannotWriteIsReportedWithThePath) {
    FillProject();
    bench.project.BuildDirectory = dir / "no/parent/build";
    EXPECT_FALSE(SaveProjectScript(bench));
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.shown.back().icon, MessageIcon::Critical);
    EXPECT_NE(user.Messages()[0].find(dir / "no/parent/build\\demo.scr"), std::string::npos);
}

TEST_F(FileCommands, UnusableSettingsAreReportedAndReplacedByDefaults) {
    dir.Write("bad.ini", "STATES=999\r\n");
    LoadWorkbench(bench, dir / "bad.ini");
    EXPECT_EQ(user.shown.front(), (Shown{Shown::Status, "Ready"}));
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(bench.settings.NumberOfStates, 15);
    EXPECT_EQ(bench.project.Files.CategoryCount(), 20);
}

}  // namespace
}  // namespace cuffware
