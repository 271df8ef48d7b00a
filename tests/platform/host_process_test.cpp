#include "platform/host_process.h"

#include <gtest/gtest.h>

#include "support/recording_processes.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "platform/program_directory.h"
#include "support/environment_scope.h"
#include "support/temp_dir.h"
#endif

namespace cuffware {
namespace {

TEST(SplitBuilderCommandLine, SplitsAtRunsOfBlanksOutsideDoubleQuotes) {
    EXPECT_EQ(SplitBuilderCommandLine("  c:\\q740\\bin\\CuffwareDL.exe   \"a b\" x\"c  d\"e \"\""),
              (std::vector<std::string>{"c:\\q740\\bin\\CuffwareDL.exe", "a b", "xc  de", ""}));
    EXPECT_TRUE(SplitBuilderCommandLine("   ").empty());
}

TEST(EnvironmentWith, PutsTheAddedVariablesInReplacingThoseOfTheSameName) {
    const std::vector<std::string> ours{"PATH=/bin", "Home=/h", "HOME=/home/u", "X=1=2"};
    EXPECT_EQ(EnvironmentWith(ours, {{"HOME", "/demo"}, {"NEW", ""}}, false),
              (std::vector<std::string>{"PATH=/bin", "Home=/h", "X=1=2", "HOME=/demo", "NEW="}));
    // Windows compares the names without regard to case.
    EXPECT_EQ(EnvironmentWith(ours, {{"HOME", "/demo"}}, true),
              (std::vector<std::string>{"PATH=/bin", "X=1=2", "HOME=/demo"}));
    EXPECT_EQ(EnvironmentWith(ours, {}, false), ours);
}

TEST(ProcessStarter, AVariableSetAgainReplacesItsValue) {
    testing::RecordingProcesses processes;
    processes.SetChildVariable("CUFFWARE_BATCH_REPORT", "/tmp/a");
    processes.SetChildVariable("WINEPREFIX", "/demo");
    processes.SetChildVariable("CUFFWARE_BATCH_REPORT", "");
    EXPECT_EQ(processes.childVariables(),
              (ChildVariables{{"CUFFWARE_BATCH_REPORT", ""}, {"WINEPREFIX", "/demo"}}));
}

#ifndef _WIN32
using testing::EnvironmentScope;
using testing::TempDir;

void WriteProgram(const TempDir& dir, const std::string& relative, const std::string& script) {
    dir.Write(relative, "#!/bin/sh\n" + script + "\n");
    chmod((dir / relative).c_str(), 0755);
}

// Waits for what a detached process does.
bool Eventually(const std::function<bool()>& done) {
    for (int tries = 0; tries < 500 && !done(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return done();
}

class HostProcessTest : public ::testing::Test {
  protected:
    HostProcessTest() {
        std::filesystem::create_directories(dir / "prefix/dosdevices");
        std::filesystem::create_directory_symlink(dir.path(), dir / "prefix/dosdevices/c:");
        env.Set("WINEPREFIX", dir / "prefix");
    }

    TempDir dir;
    EnvironmentScope env;
};

// The tools are installed under the Windows names as native programs.
TEST_F(HostProcessTest, RunsANativeProgramNamedExeThroughTheDriveWithItsArguments) {
    WriteProgram(dir, "Bin/Tool.exe", "echo \"$@\" > \"$0.args\"; exit 7");
    Result<int> status = HostProcesses().RunCommandLine("C:\\bin\\tool.exe one  two");
    ASSERT_TRUE(status.ok()) << status.error().Text();
    EXPECT_EQ(*status, 7);
    EXPECT_EQ(dir.Read("prefix/dosdevices/c:/Bin/Tool.exe.args"), "one two\n");
}

TEST_F(HostProcessTest, AProgramEndedByASignalDoesNotReadAsSuccess) {
    WriteProgram(dir, "killed.sh", "kill -KILL $$");
    Result<int> status = RunProgram({{dir / "killed.sh"}, "", "", "killed"});
    ASSERT_TRUE(status.ok()) << status.error().Text();
    EXPECT_EQ(*status, 128 + 9);
}

TEST_F(HostProcessTest, StartingDoesNotWait) {
    WriteProgram(dir, "late.sh", "sleep 0.2; echo done > \"$1\"");
    auto before = std::chrono::steady_clock::now();
    Status started = HostProcesses().StartCommandLine(dir / "late.sh " + dir / "done.txt");
    ASSERT_TRUE(started.ok()) << started.error().Text();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(200));
    EXPECT_TRUE(Eventually([&] { return dir.Exists("done.txt"); }));
}

TEST_F(HostProcessTest, AProgramThatCannotStartIsNamedWithTheSystemsReason) {
    dir.Write("plain.exe", "not a program");
    struct Case {
        std::string line, program, message;
    } cases[] = {
        {"c:\\bin\\missing.exe x", "c:\\bin\\missing.exe",
         "cannot be started: No such file or directory"},
        {dir / "plain.exe", dir / "plain.exe", "cannot be started: Permission denied"},
    };
    for (const Case& c : cases) {
        Result<int> run = HostProcesses().RunCommandLine(c.line);
        ASSERT_FALSE(run.ok()) << c.line;
        EXPECT_EQ(run.error().path, c.program);
        EXPECT_EQ(run.error().message, c.message);
        Status start = HostProcesses().StartCommandLine(c.line);
        ASSERT_FALSE(start.ok()) << c.line;
        EXPECT_EQ(start.error().Text(), run.error().Text());
    }
}

TEST_F(HostProcessTest, AWindowsProgramNeedsWine) {
    dir.Write("win.exe", "MZ\x90");
    dir.Write("path/wine", "");
    chmod((dir / "path/wine").c_str(), 0755);
    env.Set("PATH", dir / "nowhere");

    Result<int> run = HostProcesses().RunCommandLine("c:\\WIN.EXE a");
    ASSERT_FALSE(run.ok());
    EXPECT_EQ(run.error().Text(),
              "c:\\WIN.EXE: is a Windows program; it needs wine to run here, and wine is not on "
              "PATH");

    env.Set("PATH", dir / "nowhere:" + dir / "path");
    Result<std::vector<std::string>> argv = ProgramArgv("c:\\win.exe", dir / "win.exe", {"a"});
    ASSERT_TRUE(argv.ok());
    EXPECT_EQ(*argv, (std::vector<std::string>{dir / "path/wine", dir / "win.exe", "a"}));
}

// The variables travel with the run; this process's environment stays.
TEST_F(HostProcessTest, AProgramGetsTheVariablesOfItsRunAndOursStayAsTheyAre) {
    WriteProgram(dir, "env.sh", "echo \"$CUFFWARE_PROBE|$WINEPREFIX\" > \"$0.out\"");
    Result<int> status = RunProgram(
        {{dir / "env.sh"}, "", "", "env", {{"CUFFWARE_PROBE", "seen"}, {"WINEPREFIX", "/demo"}}});
    ASSERT_TRUE(status.ok()) << status.error().Text();
    EXPECT_EQ(dir.Read("env.sh.out"), "seen|/demo\n");
    EXPECT_EQ(std::getenv("CUFFWARE_PROBE"), nullptr);
    EXPECT_EQ(std::string(std::getenv("WINEPREFIX")), dir / "prefix");
}

TEST_F(HostProcessTest, RunsInTheWorkingDirectoryWithOutputAppended) {
    WriteProgram(dir, "where.sh", "pwd; echo err >&2");
    dir.Write("work/log.txt", "earlier\n");
    Result<int> status = RunProgram({{dir / "where.sh"}, dir / "work", dir / "work/log.txt", "w"});
    ASSERT_TRUE(status.ok()) << status.error().Text();
    std::string real = std::filesystem::canonical(dir / "work").string();
    EXPECT_EQ(dir.Read("work/log.txt"), "earlier\n" + real + "\nerr\n");

    Result<int> lost = RunProgram({{dir / "where.sh"}, dir / "gone", "", "where"});
    ASSERT_FALSE(lost.ok());
    EXPECT_EQ(lost.error().Text(),
              "where: cannot enter " + dir / "gone" + ": No such file or directory");
}

// The batch runner is built beside the test programs in a full build.
class HostBatchTest : public HostProcessTest {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(InProgramDirectory("cuffware-batch")))
            GTEST_SKIP() << "cuffware-batch is not built beside the tests";
        dir.Write("App/Build/build.bat", "@ECHO OFF\r\ncopy a.txt b.txt\r\nnothere\r\n");
        dir.Write("App/Build/a.txt", "a");
    }
};

TEST_F(HostBatchTest, WithoutADisplayTheBatchRunsIntoBuildLog) {
    env.Set("DISPLAY", nullptr);
    env.Set("WAYLAND_DISPLAY", nullptr);
    ASSERT_TRUE(HostProcesses().StartBatch("c:\\app\\build\\build.bat").ok());
    // The runner's last line comes after the failing line's report.
    EXPECT_TRUE(Eventually([&] {
        return dir.Read("App/Build/build.log").find("\"nothere\" failed") != std::string::npos;
    }));
    EXPECT_EQ(dir.Read("App/Build/b.txt"), "a");
}

TEST_F(HostBatchTest, WithADisplayTheBatchRunsInItsOwnWindow) {
    if (!std::filesystem::exists(InProgramDirectory("cuffware-batch-window")))
        GTEST_SKIP() << "the window program is not built (no Qt)";
    env.Set("DISPLAY", ":9");
    env.Set("QT_QPA_PLATFORM", "offscreen");  // the window needs no real display here
    // A batch that succeeds, so the window closes by itself.
    dir.Write("App/Build/good.bat", "@ECHO OFF\r\ncopy a.txt b.txt\r\n");
    ASSERT_TRUE(HostProcesses().StartBatch("c:\\app\\build\\good.bat").ok());
    EXPECT_TRUE(Eventually([&] { return dir.Exists("App/Build/b.txt"); }));
    EXPECT_FALSE(dir.Exists("App/Build/build.log"));
}

TEST_F(HostBatchTest, WithADisplayButNoWindowProgramTheBatchRunsInATerminal) {
    if (std::filesystem::exists(InProgramDirectory("cuffware-batch-window")))
        GTEST_SKIP() << "the window program is built and takes precedence";
    WriteProgram(
        dir, "path/xterm",
        "echo \"$@\" > " + dir / "t.tmp" + " && /bin/mv " + dir / "t.tmp " + dir / "terminal.args");
    env.Set("PATH", dir / "path");
    env.Set("DISPLAY", ":9");
    ASSERT_TRUE(HostProcesses().StartBatch("c:\\app\\build\\build.bat").ok());
    ASSERT_TRUE(Eventually([&] { return dir.Exists("terminal.args"); }));
    EXPECT_EQ(dir.Read("terminal.args"), "-e " + InProgramDirectory("cuffware-batch") +
                                             " --wait-on-failure " +
                                             dir / "prefix/dosdevices/c:/App/Build/build.bat\n");
}
#endif

}  // namespace
}  // namespace cuffware
