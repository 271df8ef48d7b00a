#include "app/actions/create_build_scripts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/workbench_fixture.h"

namespace cuffware {
namespace {

using testing::Shown;

const Shown kNotSpecified{Shown::Status, "Application not specified"};
const std::vector<Shown> kSuccess{
    {Shown::Status, "Build scripts generated"},
    {Shown::Message, "Successful Generation of Cuffware Build Scripts", MessageIcon::Information}};

Shown Refusal(const std::string& text) {
    return {Shown::Message, text, MessageIcon::None};
}

class CreateBuildScriptsTest : public testing::WorkbenchFixture {
  protected:
    CreateBuildScriptsTest() { Load(3); }

    void Load(int states) {
        LoadSettings("STATES=" + std::to_string(states) + "\r\nVERSION=740018\r\n");
        SetFolderName(bench.project, "demo", bench.settings);
        bench.project.ApplicationName = "Demo";
        bench.project.BuildDirectory = dir / "build";
        user.shown.clear();
    }

    void Add(int node, const std::string& path) {
        AddFileToCategory(bench.project.Files, node, path);
    }

    // The categories the driver insists on, each with one file.
    void AddRequiredFiles() {
        Add(kParameterNode, "param1.asm");
        Add(kHeaderNode, "demo.h");
        Add(kBackgroundNode, "bg.asm");
        Add(StateNode(0), "main.asm");
    }

    bool BuildFileExists(const std::string& name) const { return dir.Exists("build/" + name); }
};

TEST_F(CreateBuildScriptsTest, BlankFolderNameOnlySetsTheStatus) {
    AddRequiredFiles();
    bench.project.FolderName = "   ";
    EXPECT_FALSE(CreateBuildScripts(bench));
    EXPECT_EQ(user.shown, std::vector<Shown>{kNotSpecified});
    EXPECT_FALSE(dir.Exists("build"));
}

// Fields typed in the window pass the rule a script's fields pass: a network
// path or a Windows device in any field naming a file or a directory (the
// settings' too) is refused naming the field, and nothing is written.
TEST_F(CreateBuildScriptsTest, ANetworkPathOrADeviceInAnyPathFieldIsRefusedNamingIt) {
    AddRequiredFiles();
    const struct {
        std::string ProjectRecord::*field;
        std::string text;
        std::string message;
    } cases[] = {
        {&ProjectRecord::BuildDirectory, "\\\\server\\share\\bd",
         "the build directory \"\\\\server\\share\\bd\" is a network path, which the builder "
         "does not map"},
        {&ProjectRecord::SourceDirectory, "c:\\src\\nul",
         "the source directory \"c:\\src\\nul\" names the Windows device NUL"},
        {&ProjectRecord::FolderName, "Com3.",
         "the folder name \"Com3.\" names the Windows device COM3"},
    };
    for (const auto& c : cases) {
        ProjectRecord kept = bench.project;
        bench.project.*c.field = c.text;
        user.shown.clear();
        EXPECT_FALSE(CreateBuildScripts(bench));
        EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Message,
                                                   "The project names a path the builder cannot "
                                                   "use.\n" +
                                                       c.message,
                                                   MessageIcon::Critical}}));
        bench.project = kept;
    }
    Add(StateNode(1), "c:\\src\\LPT1.asm");
    EXPECT_FALSE(CreateBuildScripts(bench));
    bench.settings.SdkPath = "//nas/q740";
    EXPECT_FALSE(CreateBuildScripts(bench));
    EXPECT_NE(user.shown.back().text.find("the SDK directory \"//nas/q740\""), std::string::npos);
    EXPECT_FALSE(dir.Exists("build"));
}

TEST_F(CreateBuildScriptsTest, RefusalsComeInOrderAndWriteNothing) {
    const std::vector<std::pair<int, std::string>> steps = {
        {kParameterNode, "There must be at least one parameter file."},
        {kHeaderNode, "There must be at least one header file."},
        {kBackgroundNode, "There must be a background handler file."},
        {StateNode(0), "There must be a state handler code."},
    };
    for (const auto& [node, refusal] : steps) {
        user.shown.clear();
        EXPECT_FALSE(CreateBuildScripts(bench));
        EXPECT_EQ(user.shown, std::vector<Shown>{Refusal(refusal)});
        Add(node, "file.asm");
    }
    EXPECT_TRUE(dir.Exists("build"));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "build"));
}

TEST_F(CreateBuildScriptsTest, GapsAreSkippedAndTheirStaleFilesDeleted) {
    AddRequiredFiles();
    Add(StateNode(2), "ring.asm");
    for (const char* stale :
         {"state1.asm", "STATE1.SRE", "state1.obj", "state10.asm", "state3.out"})
        dir.Write("build/" + std::string(stale), "old");

    ASSERT_TRUE(CreateBuildScripts(bench));
    EXPECT_EQ(user.shown, kSuccess);
    for (const char* name : {"ascmd.cmd", "lkcmd.cmd", "lccmd.cmd", "demo.app", "param.asm",
                             "common.asm", "state0.asm", "state2.asm", "build.bat", "demo.scr"})
        EXPECT_TRUE(BuildFileExists(name)) << name;
    for (const char* name : {"state1.asm", "STATE1.SRE", "state1.obj", "state3.asm", "state3.out"})
        EXPECT_FALSE(BuildFileExists(name)) << name;
    EXPECT_TRUE(BuildFileExists("state10.asm"));

    const std::string batch = dir.Read("build/build.bat");
    EXPECT_NE(batch.find("\r\nrem Build state1 Handler\r\n"), std::string::npos);
    EXPECT_NE(batch.find("\r\nrem Build state2 Handler\r\n"), std::string::npos);
    EXPECT_EQ(batch.find("state3"), std::string::npos);
    EXPECT_NE(dir.Read("build/demo.scr").find("\r\nring.asm\r\n"), std::string::npos);

    // A second run replaces every file with the same content.
    ASSERT_TRUE(CreateBuildScripts(bench));
    EXPECT_EQ(dir.Read("build/build.bat"), batch);
}

TEST_F(CreateBuildScriptsTest, NoStatesBeyondZeroAndAnEmptyCommonCategory) {
    Load(0);
    AddRequiredFiles();
    ASSERT_TRUE(CreateBuildScripts(bench));
    EXPECT_TRUE(BuildFileExists("state0.asm"));
    EXPECT_FALSE(BuildFileExists("state1.asm"));
    EXPECT_EQ(dir.Read("build/build.bat").find("state1"), std::string::npos);
}

TEST_F(CreateBuildScriptsTest, MissingParentStopsAtTheFirstFileWithOneMessage) {
    AddRequiredFiles();
    bench.project.BuildDirectory = dir / "missing/build";
    EXPECT_FALSE(CreateBuildScripts(bench));
    ASSERT_EQ(user.shown.size(), 1u);
    EXPECT_EQ(user.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(user.shown[0].text.starts_with("Build scripts were not generated.\n" +
                                               (dir / "missing/build\\ascmd.cmd: cannot create: ")))
        << user.shown[0].text;
}

TEST_F(CreateBuildScriptsTest, AFileThatCannotBeReplacedLeavesWhatWasWrittenBefore) {
    AddRequiredFiles();
    std::filesystem::create_directories(dir / "build/common.asm");  // in the way
    EXPECT_FALSE(CreateBuildScripts(bench));
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"Build scripts were not generated.\n" +
                                                        dir / "build\\common.asm: cannot replace: "
                                                              "Is a directory"});
    for (const char* name : {"param.asm", "demo.app"})
        EXPECT_TRUE(BuildFileExists(name)) << name;
    for (const char* name : {"state0.asm", "build.bat"})
        EXPECT_FALSE(BuildFileExists(name)) << name;
}

}  // namespace
}  // namespace cuffware
