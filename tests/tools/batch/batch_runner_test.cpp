#include "batch/batch_runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "batch/batch_program.h"
#include "support/environment_scope.h"
#include "support/temp_dir.h"

namespace cuffware::batch {
namespace {

using cuffware::testing::EnvironmentScope;
using cuffware::testing::TempDir;

// Replaces each "DIR" in text by the directory's path.
std::string InDir(std::string text, const TempDir& dir) {
    for (size_t at = text.find("DIR"); at != std::string::npos; at = text.find("DIR", at))
        text.replace(at, 3, dir.path());
    return text;
}

struct BatchCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;  // executable when "#!" starts them
    std::string batch;                                       // DIR stands for the directory
    int failedLines;
    const char* out;  // unchecked when null
    std::string err;
    std::vector<std::pair<std::string, std::string>> after;  // "" for a file that must be gone
};

// Each batch runs in a fresh directory with nothing on PATH.
TEST(RunBatchText, RunsEachLineAndReportsTheFailedOnes) {
    const std::string equ = "CommonCodeEnd equ 0x1234\r\n";
    const BatchCase cases[] = {
        {"comments", {}, "@ECHO OFF\r\nREM one\r\nrem ;;;;\r\n\r\n   \r\n", 0, "", "", {}},
        {"del without regard to case; no match is no failure",
         {{"COMMON.SRE", "x"}, {"state0.sre", "x"}, {"state0.Sre.bak", "x"}},
         "del *.sre\r\ndel *.LNL\r\n",
         0,
         "> del *.sre\n> del *.LNL\nCould Not Find DIR/*.LNL\n",
         "",
         {{"COMMON.SRE", ""}, {"state0.sre", ""}, {"state0.Sre.bak", "x"}}},
        {"copy replaces the destination or fills a directory",
         {{"common.equ", equ}, {"COMMINC.H", "stale"}, {"out/.keep", ""}},
         "@echo off\r\ncopy common.equ comminc.h\r\ncopy Common.Equ out\r\ncopy missing.equ "
         "x.h\r\n",
         1,
         nullptr,
         "build.bat, line 4: \"copy missing.equ x.h\" failed: missing.equ: no such file "
         "(DIR/missing.equ)\n",
         {{"COMMINC.H", equ}, {"out/common.equ", equ}}},
        {"programs run in the current directory, found by adding .exe",
         {{"bin/As88.exe", "#!/bin/sh\necho \"$@\" > \"$1.obj\"\n"}, {"build/.keep", ""}},
         "@echo off\r\ncd build\r\nDIR\\BIN\\as88 common.asm -fascmd.cmd\r\n",
         0,
         nullptr,
         "",
         {{"build/common.asm.obj", "common.asm -fascmd.cmd\n"}}},
        {"a failing line is reported and the batch goes on",
         {{"fail.exe", "#!/bin/sh\nexit 3\n"}, {"a.txt", "a"}},
         "@echo off\r\nnothere x\r\nfail\r\ncopy a.txt b.txt\r\n",
         2,
         nullptr,
         "build.bat, line 2: \"nothere x\" failed: nothere: not found, not even with .exe, .com "
         "or .bat added\nbuild.bat, line 3: \"fail\" failed: fail: ended with exit status 3\n",
         {{"b.txt", "a"}}},
        {"a Windows program without wine",
         {{"bin/lc88.exe", std::string("MZ\x90\0\x03", 5)}},
         "@echo off\r\nbin\\lc88.exe common.out\r\n",
         1,
         nullptr,
         "build.bat, line 2: \"bin\\lc88.exe common.out\" failed: bin\\lc88.exe: is a Windows "
         "program; it needs wine to run here, and wine is not on PATH\n",
         {}},
        {"a batch file runs in place and comes back",
         {{"inner.bat", "copy a.txt b.txt\r\n"}, {"a.txt", "a"}},
         "inner\r\ncopy b.txt c.txt\r\n",
         0,
         nullptr,
         "",
         {{"c.txt", "a"}}},
    };
    for (const BatchCase& c : cases) {
        TempDir dir;
        EnvironmentScope path("PATH", dir / "empty");
        for (const auto& [name, content] : c.files) {
            dir.Write(name, content);
            if (content.starts_with("#!"))
                chmod((dir / name).c_str(), 0755);
        }
        std::ostringstream out, err;
        BatchContext context{dir.path(), out, err};
        EXPECT_EQ(RunBatchText(InDir(c.batch, dir), "build.bat", context), c.failedLines) << c.what;
        if (c.out) {
            EXPECT_EQ(out.str(), InDir(c.out, dir)) << c.what;
        }
        EXPECT_EQ(err.str(), InDir(c.err, dir)) << c.what;
        for (const auto& [name, content] : c.after)
            EXPECT_EQ(dir.Exists(name) ? dir.Read(name) : "", content) << c.what << ": " << name;
    }
}

TEST(RunBatchText, CdFollowsTheDriveThroughTheWinePrefix) {
    TempDir dir;
    std::ostringstream out, err;
    BatchContext context{dir.path(), out, err};
    dir.Write("drive_c/Q740/App/Alarm/Build/common.equ", "equ");
    std::filesystem::create_directories(dir / "prefix/dosdevices");
    std::filesystem::create_directory_symlink(dir / "drive_c", dir / "prefix/dosdevices/c:");
    EnvironmentScope prefix("WINEPREFIX", dir / "prefix");

    EXPECT_EQ(
        RunBatchText("cd c:\\q740\\app\\alarm\\build\r\ncopy common.equ comminc.h\r\ncd ..\r\n"
                     "cd nowhere\r\n",
                     "build.bat", context),
        1);
    EXPECT_EQ(dir.Read("drive_c/Q740/App/Alarm/Build/comminc.h"), "equ");
    EXPECT_EQ(context.currentDirectory, dir / "prefix/dosdevices/c:/Q740/App/Alarm");
    EXPECT_NE(
        err.str().find("build.bat, line 4: \"cd nowhere\" failed: nowhere: no such directory"),
        std::string::npos);
}

TEST(RunBatchRunner, RunsFromTheBatchDirectoryAndFailsWithStatusOneOrAUsageError) {
    TempDir dir;
    std::ostringstream out, err;
    dir.Write("build/build.bat", "@ECHO OFF\r\ncopy a.txt b.txt\r\n");
    dir.Write("build/a.txt", "a");
    std::istringstream in;
    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{dir / "build/build.bat"}, in, out, err), 0);
    EXPECT_TRUE(dir.Exists("build/b.txt"));

    dir.Write("build/build.bat", "copy none.txt b.txt\r\n");
    std::istringstream enter("\n");
    std::vector<std::string> waiting{"--wait-on-failure", dir / "build/build.bat"};
    EXPECT_EQ(RunBatchRunner(waiting, enter, out, err), 1);
    EXPECT_TRUE(out.str().ends_with("Press Enter to close this window.\n"));
    EXPECT_TRUE(enter.eof() || enter.peek() == EOF);

    dir.Write("loop.bat", "loop\r\n");
    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{dir / "loop.bat"}, in, out, err), 1);
    EXPECT_NE(err.str().find("batch files nested too deeply"), std::string::npos);

    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{}, in, out, err), kExitUsage);
    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{dir / "none.bat"}, in, out, err), kExitUsage);
    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{"--help"}, in, out, err), 0);
    EXPECT_NE(out.str().find("a stand-in for the Windows command interpreter"), std::string::npos);
}

}  // namespace
}  // namespace cuffware::batch
