#include "batch/batch_runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "batch/batch_program.h"
#include "support/environment_scope.h"
#include "support/temp_dir.h"

namespace cuffware::batch {
namespace {

using cuffware::testing::EnvironmentScope;
using cuffware::testing::TempDir;

class BatchRunnerTest : public ::testing::Test {
  protected:
    // Runs the batch text from the temporary directory; the number of failed lines.
    int Run(const std::string& text) { return RunBatchText(text, "build.bat", context); }

    void WriteProgram(const std::string& relative, const std::string& script) {
        dir.Write(relative, "#!/bin/sh\n" + script + "\n");
        chmod((dir / relative).c_str(), 0755);
    }

    TempDir dir;
    // No drives but those a test lays out: the user's own ~/.wine stays out.
    EnvironmentScope noWinePrefix{"WINEPREFIX", dir / "no-prefix"};
    std::ostringstream out, err;
    BatchContext context{dir.path(), out, err};
};

TEST_F(BatchRunnerTest, CommentsAndBlankLinesRunNothingAndEchoNothing) {
    EXPECT_EQ(Run("@ECHO OFF\r\nREM one\r\nrem ;;;;\r\n\r\n   \r\n"), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "");
}

TEST_F(BatchRunnerTest, DelMatchesWithoutRegardToCaseAndNoMatchIsNoFailure) {
    for (const char* name : {"COMMON.SRE", "state0.sre", "state0.Sre.bak", "keep.asm"})
        dir.Write(name, "x");
    EXPECT_EQ(Run("del *.sre\r\ndel *.LNL\r\n"), 0);
    EXPECT_FALSE(dir.Exists("COMMON.SRE"));
    EXPECT_FALSE(dir.Exists("state0.sre"));
    EXPECT_TRUE(dir.Exists("state0.Sre.bak"));
    EXPECT_TRUE(dir.Exists("keep.asm"));
    EXPECT_EQ(out.str(), "> del *.sre\n> del *.LNL\nCould Not Find " + dir / "*.LNL" + "\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(BatchRunnerTest, CopyReplacesTheDestinationOrFillsADirectory) {
    dir.Write("common.equ", "CommonCodeEnd equ 0x1234\r\n");
    dir.Write("COMMINC.H", "stale");
    dir.Write("out/.keep", "");
    EXPECT_EQ(Run("copy common.equ comminc.h\r\ncopy Common.Equ out\r\n"), 0);
    EXPECT_EQ(dir.Read("COMMINC.H"), "CommonCodeEnd equ 0x1234\r\n");
    EXPECT_EQ(dir.Read("out/common.equ"), "CommonCodeEnd equ 0x1234\r\n");

    EXPECT_EQ(Run("copy missing.equ x.h"), 1);
    EXPECT_EQ(err.str(),
              "build.bat, line 1: \"copy missing.equ x.h\" failed: missing.equ: no such "
              "file (" +
                  dir / "missing.equ" + ")\n");
}

#ifndef _WIN32
// copy writes as every write of ours: a link at the destination's name, to a
// directory or to a file (outside the drive or not), is refused and never
// followed; what it points to stays as it was.
TEST_F(BatchRunnerTest, CopyNeverWritesThroughALink) {
    dir.Write("common.equ", "CommonCodeEnd equ 0x1234\r\n");
    dir.Write("elsewhere/kept.h", "kept");
    std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "linkdir");
    std::filesystem::create_symlink(dir / "elsewhere/kept.h", dir / "linkfile.h");
    std::filesystem::create_symlink(dir / "elsewhere/new.h", dir / "dangling.h");
    EXPECT_EQ(Run("copy common.equ linkdir\r\ncopy common.equ linkfile.h\r\n"
                  "copy common.equ dangling.h\r\ncopy common.equ linkdir\\x.h\r\n"),
              3);
    EXPECT_NE(err.str().find("line 1: \"copy common.equ linkdir\" failed: " + dir / "linkdir" +
                             ": cannot replace: it is a link"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("line 2: \"copy common.equ linkfile.h\" failed: " +
                             dir / "linkfile.h" + ": cannot replace: it is a link"),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "linkdir"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "linkfile.h"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling.h"));
    EXPECT_EQ(dir.Read("elsewhere/kept.h"), "kept");
    EXPECT_FALSE(dir.Exists("elsewhere/common.equ"));
    EXPECT_FALSE(dir.Exists("elsewhere/new.h"));
    // Off every drive a directory link on the way is the host's own path.
    EXPECT_EQ(dir.Read("elsewhere/x.h"), "CommonCodeEnd equ 0x1234\r\n");
}

// On a drive, a directory link on the way that leads off the drive is refused.
TEST_F(BatchRunnerTest, CopyNeverWritesOffItsDrive) {
    dir.Write("drive_c/build/common.equ", "CommonCodeEnd equ 0x1234\r\n");
    std::filesystem::create_directories(dir / "outside");
    std::filesystem::create_directories(dir / "drive_c/inside");
    std::filesystem::create_directory_symlink(dir / "outside", dir / "drive_c/build/out");
    std::filesystem::create_directory_symlink(dir / "drive_c/inside", dir / "drive_c/build/in");
    std::filesystem::create_directories(dir / "prefix/dosdevices");
    std::filesystem::create_directory_symlink(dir / "drive_c", dir / "prefix/dosdevices/c:");
    EnvironmentScope prefix("WINEPREFIX", dir / "prefix");
    context.currentDirectory = dir / "prefix/dosdevices/c:/build";

    EXPECT_EQ(Run("copy common.equ out\\w.h\r\ncopy common.equ c:\\build\\OUT\\w.h\r\n"
                  "copy common.equ in\\w.h\r\n"),
              2);
    EXPECT_NE(err.str().find("line 1: \"copy common.equ out\\w.h\" failed: out\\w.h: cannot "
                             "write: a link on the way leads off drive c: (" +
                             dir / "prefix/dosdevices/c:/build/out)"),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(std::filesystem::is_empty(dir / "outside"));
    EXPECT_TRUE(dir.Exists("drive_c/inside/w.h"));
}
#endif

TEST_F(BatchRunnerTest, CdFollowsTheDriveThroughTheWinePrefix) {
    dir.Write("drive_c/Q740/App/Alarm/Build/common.equ", "equ");
    std::filesystem::create_directories(dir / "prefix/dosdevices");
    std::filesystem::create_directory_symlink(dir / "drive_c", dir / "prefix/dosdevices/c:");
    EnvironmentScope prefix("WINEPREFIX", dir / "prefix");

    EXPECT_EQ(Run("cd c:\\q740\\app\\alarm\\build\r\ncopy common.equ comminc.h\r\ndel *.tmp\r\n"
                  "cd ..\r\ncd nowhere\r\n"),
              1);
    EXPECT_EQ(dir.Read("drive_c/Q740/App/Alarm/Build/comminc.h"), "equ");
    // A file is named as the batch names it, on its drive.
    EXPECT_NE(out.str().find("Could Not Find c:\\Q740\\App\\Alarm\\Build\\*.tmp\n"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(context.currentDirectory, dir / "prefix/dosdevices/c:/Q740/App/Alarm");
    EXPECT_NE(
        err.str().find("build.bat, line 5: \"cd nowhere\" failed: nowhere: no such directory"),
        std::string::npos);
}

TEST_F(BatchRunnerTest, ProgramsRunInTheCurrentDirectoryFoundByAddingExe) {
    WriteProgram("bin/As88.exe", "echo \"$@\" > \"$1.obj\"");
    dir.Write("build/.keep", "");
    EXPECT_EQ(Run("cd build\r\n" + dir.path() + "\\BIN\\as88 common.asm -fascmd.cmd\r\n"), 0);
    EXPECT_EQ(dir.Read("build/common.asm.obj"), "common.asm -fascmd.cmd\n");
    EXPECT_EQ(err.str(), "");
}

// The first failure is kept for the builder's last line: a failing
// program's first own line of output (not wine's) with the batch line; for
// as88, which reports every error and then the count, its first error.
TEST_F(BatchRunnerTest, AFailingLineIsReportedAndTheBatchGoesOn) {
    WriteProgram("fail.exe", "exit 3");
    WriteProgram("tool.exe",
                 "echo '0024:fixme:ntdll:x' >&2; echo 'wine: noise' >&2; "
                 "echo 'a.asm:3:5: error: bad' >&2; echo 'a.asm:4:5: error: worse' >&2; "
                 "echo 'as88: 2 errors, no object written' >&2; exit 1");
    dir.Write("a.txt", "a");
    EXPECT_EQ(Run("fail\r\nnothere x\r\ncopy a.txt b.txt\r\n"), 2);
    EXPECT_TRUE(dir.Exists("b.txt"));
    EXPECT_EQ(err.str(),
              "build.bat, line 1: \"fail\" failed: fail: ended with exit status 3\n"
              "build.bat, line 2: \"nothere x\" failed: nothere: not found, not even with .exe, "
              ".com or .bat added\n");
    EXPECT_EQ(context.firstFailure, err.str().substr(0, err.str().find('\n')));

    BatchContext again{dir.path(), out, err};
    EXPECT_EQ(RunBatchText("copy a.txt c.txt\r\ntool x\r\nfail\r\n", "b.bat", again), 2);
    EXPECT_EQ(again.firstFailure, "a.asm:3:5: error: bad (b.bat, line 2)");
}

TEST_F(BatchRunnerTest, AWindowsProgramWithoutWineIsAClearError) {
    dir.Write("bin/lc88.exe", std::string("MZ\x90\0\x03", 5));
    EnvironmentScope path("PATH", dir / "empty");
    EXPECT_EQ(Run("bin\\lc88.exe common.out -o common.sre\r\n"), 1);
    EXPECT_EQ(err.str(),
              "build.bat, line 1: \"bin\\lc88.exe common.out -o common.sre\" failed: "
              "bin\\lc88.exe: is a Windows program; it needs wine to run here, and "
              "wine is not on PATH\n");
}

TEST_F(BatchRunnerTest, ABatchFileRunsInPlaceAndComesBack) {
    dir.Write("inner.bat", "copy a.txt b.txt\r\n");
    dir.Write("a.txt", "a");
    EXPECT_EQ(Run("inner\r\ncopy b.txt c.txt\r\n"), 0);
    EXPECT_EQ(dir.Read("c.txt"), "a");

    dir.Write("loop.bat", "loop\r\n");
    EXPECT_EQ(Run("loop\r\n"), 1);
    EXPECT_NE(err.str().find("batch files nested too deeply (at most 8 levels)"),
              std::string::npos);
}

// A batch that starts itself twice would double at each level: 2^8 runs
// within the depth limit. The total budget stops it after 64.
TEST_F(BatchRunnerTest, ABatchStartingItselfTwiceStopsAtTheTotalBudget) {
    dir.Write("twice.bat", "echo x\r\ntwice\r\ntwice\r\n");
    EXPECT_GT(Run("twice\r\n"), 0);
    EXPECT_EQ(context.nestedBatches, 64);
    EXPECT_NE(err.str().find("too many batch files started from batch files (at most 64)"),
              std::string::npos);
}

// "\dir\x" means the current drive's root, not the host's: with the
// current directory on c:, the file deleted is the one on c:.
TEST_F(BatchRunnerTest, ARootedPathWithoutADriveStaysOnTheCurrentDrive) {
    dir.Write("drive_c/tmp/x/a.sre", "c");
    dir.Write("drive_c/build/.keep", "");
    std::filesystem::create_directories(dir / "prefix/dosdevices");
    std::filesystem::create_directory_symlink(dir / "drive_c", dir / "prefix/dosdevices/c:");
    EnvironmentScope prefix("WINEPREFIX", dir / "prefix");
    context.currentDirectory = dir / "prefix/dosdevices/c:/build";

    EXPECT_EQ(BatchPath(context, "\\tmp\\x\\*.*"), dir / "prefix/dosdevices/c:/tmp/x/*.*");
    EXPECT_EQ(Run("del \\tmp\\x\\*.*\r\n"), 0);
    EXPECT_FALSE(dir.Exists("drive_c/tmp/x/a.sre"));
    context.currentDirectory = dir.path();  // on no Wine drive: the host's root
    EXPECT_EQ(BatchPath(context, "\\tmp\\x"), "/tmp/x");
}

// ".." stops at the drive's root, as on Windows, in every kind of line and
// however the path starts: the files beside the drive's folder on the host
// stay untouched, and the host's own programs are not reached.
TEST_F(BatchRunnerTest, DotDotNeverClimbsAboveTheDrivesRoot) {
    for (const char* name : {"f1.txt", "f2.txt", "f3.txt"}) {
        dir.Write("out/" + std::string(name), "host");
        dir.Write("drive_c/out/" + std::string(name), "drive");
    }
    dir.Write("drive_c/build/build.bat", "rem\r\n");
    std::filesystem::create_directories(dir / "prefix/dosdevices");
    std::filesystem::create_directory_symlink(dir / "drive_c", dir / "prefix/dosdevices/c:");
    EnvironmentScope prefix("WINEPREFIX", dir / "prefix");
    context.currentDirectory = dir / "prefix/dosdevices/c:/build";

    EXPECT_EQ(Run("del c:\\..\\out\\f1.txt\r\ndel \\..\\..\\out\\f2.txt\r\n"
                  "del ..\\..\\..\\out\\f3.txt\r\ncopy build.bat \\..\\out\\w.txt\r\n"
                  "c:\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\usr\\bin\\true\r\n"),
              1);
    EXPECT_NE(err.str().find("true\" failed: c:\\..\\"), std::string::npos) << err.str();
    for (const char* name : {"f1.txt", "f2.txt", "f3.txt"}) {
        EXPECT_TRUE(dir.Exists("out/" + std::string(name))) << name;
        EXPECT_FALSE(dir.Exists("drive_c/out/" + std::string(name))) << name;
    }
    EXPECT_TRUE(dir.Exists("drive_c/out/w.txt"));
    EXPECT_FALSE(dir.Exists("out/w.txt"));
}

// A file that matches but cannot be deleted is named with the reason, and
// the line fails: it is not "Could Not Find".
TEST_F(BatchRunnerTest, ARefusedDeletionIsReportedWithItsReason) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX file attributes";
#else
    dir.Write("locked/old.sre", "old");
    const std::string locked = dir / "locked";
    const bool root = geteuid() == 0;
    const std::string lockFile = "chattr +i '" + locked + "/old.sre' 2>/dev/null";
    if (root ? std::system(lockFile.c_str()) != 0 : chmod(locked.c_str(), 0555) != 0)
        GTEST_SKIP() << "cannot make a file undeletable here";
    const int failed = Run("del locked\\*.sre\r\n");
    const std::string unlock = "chattr -i '" + locked + "/old.sre'";
    if (root ? std::system(unlock.c_str()) != 0 : chmod(locked.c_str(), 0755) != 0)
        ADD_FAILURE() << "could not unlock " << locked;
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(out.str(), "> del locked\\*.sre\n");
    // An immutable file (root) or a read-only directory (any other user).
    const std::string reason = root ? "Operation not permitted" : "Permission denied";
    EXPECT_EQ(err.str(), "build.bat, line 1: \"del locked\\*.sre\" failed: " + locked +
                             "/old.sre: cannot delete: " + reason + "\n");
#endif
}

TEST_F(BatchRunnerTest, TheProgramRunsFromTheBatchDirectoryAndFailsWithStatusOne) {
    dir.Write("build/build.bat", "@ECHO OFF\r\ncopy a.txt b.txt\r\n");
    dir.Write("build/a.txt", "a");
    std::istringstream in;
    std::vector<std::string> args{dir / "build/build.bat"};
    EXPECT_EQ(RunBatchRunner(args, in, out, err), 0);
    EXPECT_TRUE(dir.Exists("build/b.txt"));

    dir.Write("build/build.bat", "copy none.txt b.txt\r\n");
    std::istringstream enter("\n");
    std::vector<std::string> waiting{"--wait-on-failure", dir / "build/build.bat"};
    EXPECT_EQ(RunBatchRunner(waiting, enter, out, err), 1);
    EXPECT_TRUE(out.str().ends_with("Press Enter to close this window.\n"));
    EXPECT_TRUE(enter.eof() || enter.peek() == EOF);
}

TEST_F(BatchRunnerTest, ABadCommandLineIsAUsageError) {
    std::istringstream in;
    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{}, in, out, err), kExitUsage);
    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{dir / "none.bat"}, in, out, err), kExitUsage);
    out.str("");
    EXPECT_EQ(RunBatchRunner(std::vector<std::string>{"--help"}, in, out, err), 0);
    EXPECT_NE(out.str().find("a stand-in for the Windows command interpreter"), std::string::npos);
}

}  // namespace
}  // namespace cuffware::batch
