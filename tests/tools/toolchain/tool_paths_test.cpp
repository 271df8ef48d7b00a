// Every path a tool takes is on the drive of its current directory: from a
// build directory on a Wine drive, neither ".." nor a rooted path without a
// drive reaches a host file outside the Wine prefix.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/environment_scope.h"
#include "support/tree_snapshot.h"
#include "tool_runner.h"

namespace cuffware::toolchain {
namespace {

#ifndef _WIN32  // Wine drives are a matter off Windows only

using cuffware::testing::EnvironmentScope;
using cuffware::testing::SnapshotTree;
using cuffware::testing::TempDir;
using testing::RunTool;
using testing::ToolEntry;
using testing::ToolRun;

namespace fs = std::filesystem;

// A processor description the tools take.
constexpr const char* kDescription = "cpu S1C88349\r\n";

// Runs the test in another current directory, as the programs run (their
// context names no working directory: the process's own is theirs).
class CurrentDirectoryScope {
  public:
    explicit CurrentDirectoryScope(const fs::path& directory) : saved_(fs::current_path()) {
        fs::current_path(directory);
    }
    ~CurrentDirectoryScope() { fs::current_path(saved_); }
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

  private:
    fs::path saved_;
};

// dir/p is a Wine prefix whose c: holds the SDK's build directory
// c:\q740\app\demo\build and the toolchain c:\c88; dir/outside is a host
// directory beside the prefix, six levels above the build directory.
class ToolPathsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir / "p/dosdevices");
        fs::create_directory_symlink("../drive_c", dir / "p/dosdevices/c:");
        fs::create_directories(dir / "p/drive_c/q740/app/demo/build");
        fs::create_directories(dir / "p/drive_c/c88/bin");
        dir.Write("p/drive_c/c88/etc/s1c88349.dsc", kDescription);
        fs::create_directories(dir / "outside");
    }

    // Runs tool as its program does, from the build directory.
    ToolRun Run(ToolEntry tool, const std::vector<std::string>& args) {
        CurrentDirectoryScope inBuild(dir / "p/drive_c/q740/app/demo/build");
        return RunTool(tool, args, "", dir / "p/drive_c/c88/bin");
    }

    TempDir dir;
    EnvironmentScope prefix{"WINEPREFIX", dir / "p"};
};

// A source with a global, which reads one more file through INCLUDE.
std::string SourceIncluding(const std::string& included) {
    return "        INCLUDE '" + included +
           "'\r\n"
           "        DEFSECT \".text\", CODE AT 0x12340\r\n"
           "        SECT \".text\"\r\n"
           "        DB 1, 2, Three\r\n"
           "        GLOBAL  SectionEnd\r\n"
           "SectionEnd:\r\n";
}

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Every file name a tool takes, in each form that would reach dir/outside
// were it taken from the host: each reads the files put on the drive at
// c:\outside and writes there. The host's dir/outside holds a damaged copy
// of every input (a tool reading one fails) and is never written.
TEST_F(ToolPathsTest, EveryPathStopsAtTheDriveOfTheCurrentDirectory) {
    // Each form, and where on the drive it lands.
    const std::string onDrive = "p/drive_c/outside/";
    const std::string rootedOnDrive = "p/drive_c" + dir.path() + "/outside/";
    const std::pair<std::string, std::string> forms[] = {
        {"..\\..\\..\\..\\..\\..\\outside\\", onDrive},
        {"../../../../../../outside/", onDrive},
        {"..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\outside\\", onDrive},
        {"q740\\..\\..\\..\\..\\..\\..\\..\\outside\\", onDrive},
        {"\\..\\..\\outside\\", onDrive},
        {Backslashed(dir / "outside\\"), rootedOnDrive},
        {dir / "outside/", rootedOnDrive},
    };
    for (const auto& [at, landing] : forms) {
        SCOPED_TRACE(at);
        fs::remove_all(dir / landing);
        dir.Write(landing + "src.asm", SourceIncluding(at + "inc.h"));
        dir.Write(landing + "inc.h", "Three equ 3\r\n");
        testing::WriteOptionFiles(dir);
        for (const char* options : {"ascmd.cmd", "lkcmd.cmd", "lccmd.cmd"})
            fs::rename(dir / options, dir / landing + options);
        for (const char* input : {"src.asm", "inc.h", "ascmd.cmd", "lkcmd.cmd", "lccmd.cmd",
                                  "src.obj", "pwn.out", "pwn.sre", "pwn.map", "pwn.sy"})
            dir.Write(std::string("outside/") + input, "-bogus\r\n  FROBNICATE\r\n");
        dir.Write("outside/only-outside.dsc", kDescription);
        cuffware::testing::TreeSnapshot outside = SnapshotTree(dir / "outside");

        const struct {
            ToolEntry tool;
            std::vector<std::string> args;
        } steps[] = {
            {RunAs88, {at + "src.asm", "-f" + at + "ascmd.cmd"}},
            {RunLk88, {at + "src.obj", "-o", at + "pwn.out", "-f" + at + "lkcmd.cmd"}},
            {RunLc88, {at + "pwn.out", "-o", at + "pwn.sre", "-f" + at + "lccmd.cmd"}},
            {RunDis88, {at + "pwn.sre"}},
            {RunMaplist, {at + "pwn.map"}},
            {RunLabelset, {at + "pwn.sy"}},
        };
        for (const auto& step : steps) {
            ToolRun run = Run(step.tool, step.args);
            EXPECT_EQ(run.status, 0) << step.args[0] << "\n" << run.err;
        }
        for (const char* output :
             {"src.obj", "src.lst", "pwn.out", "pwn.sre", "pwn.map", "pwn.sy", "pwn.equ"})
            EXPECT_TRUE(dir.Exists(landing + output)) << output;
        EXPECT_NE(dir.Read(landing + "pwn.equ").find("SectionEnd"), std::string::npos);

        ToolRun described =
            Run(RunLk88, {at + "src.obj", "-o", at + "x.out", "-d" + at + "only-outside.dsc"});
        EXPECT_EQ(described.status, 1);
        EXPECT_NE(described.err.find("only-outside.dsc' not found"), std::string::npos)
            << described.err;
        cuffware::testing::TreeSnapshot after = SnapshotTree(dir / "outside");
        EXPECT_TRUE(after == outside) << cuffware::testing::EntryNames(after);
    }
}

// ".." is taken out of the text, as Windows takes it, never by the host:
// after a link the host would climb from the link's target.
TEST_F(ToolPathsTest, DotDotAfterALinkStaysBesideTheLink) {
    dir.Write("outside/deep/secret.h", "Three equ 3\r\n");
    fs::create_directories(dir / "outside/deep/er");
    fs::create_directory_symlink(dir / "outside/deep/er", dir / "p/drive_c/q740/app/demo/build/up");
    dir.Write("p/drive_c/q740/app/demo/build/src.asm", SourceIncluding("up\\..\\secret.h"));
    ToolRun read = Run(RunAs88, {"src.asm"});
    EXPECT_EQ(read.status, 1);
    EXPECT_NE(read.err.find("p/dosdevices/c:/q740/app/demo/build/secret.h)"), std::string::npos)
        << read.err;
    dir.Write("p/drive_c/q740/app/demo/build/secret.h", "Three equ 3\r\n");
    EXPECT_EQ(Run(RunAs88, {"src.asm"}).status, 0);
}

// The description file beside the programs (../etc, c:\c88\etc) is looked
// for by the same rule: a name climbing out of it stops at the drive's root.
TEST_F(ToolPathsTest, TheDescriptionFileBesideTheProgramsStaysOnTheirDrive) {
    dir.Write("p/drive_c/q740/app/demo/build/src.asm", SourceIncluding("inc.h"));
    dir.Write("p/drive_c/q740/app/demo/build/inc.h", "Three equ 3\r\n");
    ASSERT_EQ(Run(RunAs88, {"src.asm"}).status, 0);
    dir.Write("outside/up.dsc", kDescription);
    ToolRun climbed = Run(RunLk88, {"src.obj", "-d..\\..\\..\\..\\outside\\up.dsc"});
    EXPECT_EQ(climbed.status, 1);
    EXPECT_NE(climbed.err.find("'..\\..\\..\\..\\outside\\up.dsc' not found"), std::string::npos)
        << climbed.err;
    dir.Write("p/drive_c/outside/up.dsc", kDescription);
    EXPECT_EQ(Run(RunLk88, {"src.obj", "-d..\\..\\..\\..\\outside\\up.dsc"}).status, 0);
}

// Off every Wine drive (plain Linux use) the host's own rule holds: ".."
// climbs as the host climbs.
TEST_F(ToolPathsTest, OffTheWineDrivesPathsAreTheHosts) {
    dir.Write("outside/src.asm", SourceIncluding("..\\..\\outside\\inc.h"));
    dir.Write("outside/inc.h", "Three equ 3\r\n");
    fs::create_directories(dir / "host/build");
    CurrentDirectoryScope inHost(dir / "host/build");
    ToolRun run = RunTool(RunAs88, {"..\\..\\outside\\src.asm"}, "", dir / "p/drive_c/c88/bin");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(dir.Exists("outside/src.obj"));
}

#endif

}  // namespace
}  // namespace cuffware::toolchain
