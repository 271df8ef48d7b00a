// What the user sees, and what is left on disk, when the files the builder
// reads are damaged or the disk fails under it. Cases the reader and action
// tests already hold are not repeated here.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <utility>

#include "app/actions/analyze_cuffware.h"
#include "app/actions/create_build_scripts.h"
#include "app/actions/create_cuffware.h"
#include "app/actions/file_commands.h"
#include "package/s2_records.h"
#include "support/failing_file_system.h"
#include "support/file_size_limit.h"
#include "support/recording_processes.h"
#include "support/recording_user_port.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;
using testing::Counting;
using testing::FailingFileSystem;
using testing::SectionFile;
using testing::Shown;

// A workbench on a failing file system with a demo project in dir/build: a
// file in every category the generation needs, its S-record files in place.
class BadInput : public ::testing::Test {
  protected:
    BadInput() : bench(files, processes, user) {
        dir.Write("builder.ini", "STATES=2\r\nVERSION=740018\r\n");
        LoadWorkbench(bench, dir / "builder.ini");
        SetFolderName(bench.project, "demo", bench.settings);
        bench.project.BuildDirectory = build;
        for (int node : {kParameterNode, kHeaderNode, kBackgroundNode, StateNode(0)})
            AddFileToCategory(bench.project.Files, node, "f.asm");
        WriteSections(Counting(100));
        user.shown.clear();
    }

    void WriteSections(const std::string& common) {
        dir.Write("build/common.sre", SectionFile(common));
        dir.Write("build/state0.sre", SectionFile(Counting(50)));
        dir.Write("build/param.sre", SectionFile(Counting(12)));
    }

    // The package files and their contents.
    std::map<std::string, std::string> Package() const {
        std::map<std::string, std::string> package;
        for (const char* name : {"demo_code_018.bin", "demo_par_018.bin", "demo.txt"})
            if (dir.Exists("build/" + std::string(name)))
                package[name] = dir.Read("build/" + std::string(name));
        return package;
    }

    std::string Leftovers() const {
        std::string names;
        for (const auto& entry : fs::directory_iterator(build))
            if (entry.path().string().find(".cuffware-") != std::string::npos ||
                entry.path().extension() == ".journal")
                names += entry.path().filename().string() + " ";
        return names;
    }

    testing::TempDir dir;
    const std::string build = dir / "build";
    FailingFileSystem files;
    testing::RecordingUserPort user;
    testing::RecordingProcesses processes;
    Workbench bench;
};

// builder.ini

TEST_F(BadInput, ASettingsFileThatIsADirectoryGivesTheDefaultsAndStaysADirectory) {
    fs::create_directory(dir / "dir.ini");
    LoadWorkbench(bench, dir / "dir.ini");
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{
                  "The tool settings cannot be read or created; the defaults are used.\n" +
                  dir / "dir.ini" + ": cannot open: Is a directory"});
    EXPECT_EQ(bench.settings.NumberOfStates, 15);
    EXPECT_TRUE(fs::is_directory(dir / "dir.ini"));
    EXPECT_FALSE(fs::exists(dir / "dir.ini.cuffware-new"));
}

// A settings file that is there but cannot be resolved (a link to nothing, a
// link loop) is not taken for a missing one: it is reported with the reason
// and stays the link it was.
TEST_F(BadInput, ASettingsFileThatCannotBeResolvedIsReportedAndStaysALink) {
#ifndef _WIN32
    fs::create_symlink("nowhere.ini", dir / "dangling.ini");
    fs::create_symlink("b.ini", dir / "a.ini");
    fs::create_symlink("a.ini", dir / "b.ini");
    LoadWorkbench(bench, dir / "dangling.ini");
    LoadWorkbench(bench, dir / "a.ini");
    const std::string defaults =
        "The tool settings cannot be read or created; the defaults are used.\n";
    EXPECT_EQ(user.Messages(),
              (std::vector<std::string>{
                  defaults + dir / "dangling.ini" +
                      ": cannot open: a link to nothing (its target does not exist)",
                  defaults + dir / "a.ini" + ": cannot open: Too many levels of symbolic links"}));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.ini"));
    EXPECT_FALSE(fs::exists(dir / "nowhere.ini"));
    EXPECT_TRUE(fs::is_symlink(dir / "a.ini"));
#endif
}

// A builder.ini of mode 000 is there: reported with the reason, the
// defaults used, and never replaced (as root, permissions stop nothing:
// tests/run_unprivileged.sh runs this as an unprivileged user).
TEST_F(BadInput, ASettingsFileItMayNotReadIsReportedAndKept) {
#ifndef _WIN32
    if (geteuid() == 0)
        GTEST_SKIP() << "root passes every permission; tests/run_unprivileged.sh runs this";
    dir.Write("builder.ini", "BIN=c:\\mine\r\n");
    fs::permissions(dir / "builder.ini", fs::perms::none);
    LoadWorkbench(bench, dir / "builder.ini");
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{
                  "The tool settings cannot be read or created; the defaults are used.\n" +
                  dir / "builder.ini" + ": cannot open: Permission denied"});
    EXPECT_EQ(bench.settings.SdkPath, "c:\\q740");
    fs::permissions(dir / "builder.ini", fs::perms::owner_read);
    EXPECT_EQ(dir.Read("builder.ini"), "BIN=c:\\mine\r\n");
#endif
}

// A settings file with none of the keys gives the defaults and says so.
TEST_F(BadInput, ASettingsFileWithoutKeysGivesTheDefaultsWithAWarning) {
    dir.Write("keyless.ini", "[settings]\r\nSDK=c:\\elsewhere\r\n");
    LoadWorkbench(bench, dir / "keyless.ini");
    EXPECT_EQ(bench.settings.SdkPath, "c:\\q740");
    EXPECT_EQ(bench.settings.NumberOfStates, 15);
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{dir / "keyless.ini" +
                                       ": holds none of the keys BIN=, ASSEMBLER=, STATES=, "
                                       "VERSION=; the defaults are used"});
}

// Files that are no files, or far too large: each is refused unread with the
// reason, and stays as it is.
TEST_F(BadInput, SpecialAndOversizedFilesAreRefusedUnread) {
    dir.Write("huge.ini", std::string(100 << 10, '\n'));
    LoadWorkbench(bench, dir / "huge.ini");
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{
                  "The tool settings cannot be read or created; the defaults are used.\n" +
                  dir / "huge.ini" + ": cannot read: more than 65536 bytes"});
    EXPECT_EQ(dir.Read("huge.ini").size(), size_t{100 << 10});
#ifndef _WIN32
    SetFolderName(bench.project, "demo", bench.settings);
    bench.project.BuildDirectory = build;
    fs::create_symlink("/dev/zero", build + "/demo_code_018.bin");
    user.shown.clear();
    EXPECT_FALSE(AnalyzeCuffware(bench).has_value());
    EXPECT_EQ(user.Messages(), std::vector<std::string>{build + "\\demo_code_018.bin: cannot "
                                                                "read: not a regular file"});
#endif
}

// Builder scripts the reader tests do not cover: each is refused with the
// exact message, and the open project stays as it was.

struct RefusedScript {
    std::string name;
    std::string text;
    std::string message;  // after "PATH, "
};

class RefusedScripts : public BadInput, public ::testing::WithParamInterface<RefusedScript> {};

std::string Fields(const std::string& flags) {
    return "App\r\ndemo\r\nd\r\nb1\r\nb2\r\n740018\r\n" + flags + "pc\r\nh\r\ns\r\nb\r\ni\r\na\r\n";
}

TEST_P(RefusedScripts, KeepTheOpenProject) {
    dir.Write("bad.scr", GetParam().text);
    bench.project.ApplicationName = "Open";
    EXPECT_FALSE(RestoreProjectScript(bench, dir / "bad.scr"));
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Message,
                                               "The builder script was not opened.\n" +
                                                   dir / "bad.scr" + ", " + GetParam().message,
                                               MessageIcon::Critical}}));
    EXPECT_EQ(bench.project.ApplicationName, "Open");
    EXPECT_EQ(bench.project.Files.ChildCount(StateNode(0)), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Script, RefusedScripts,
    ::testing::Values(
        RefusedScript{"EndsAtAFlag", "App\r\ndemo\r\nd\r\nb1\r\nb2\r\n740018\r\n",
                      "line 7: the script ends early: the password support flag expected"},
        RefusedScript{"FlagMinusOne", Fields("-1\r\n0\r\n") + "0\r\n",
                      "line 7: the password support flag must be a whole number from 0 to 1, "
                      "not \"-1\""},
        RefusedScript{"FlagOneHalf", Fields("0\r\n0.5\r\n") + "0\r\n",
                      "line 8: the database support flag must be a whole number from 0 to 1, "
                      "not \"0.5\""},
        RefusedScript{"HugeCategoryCount", Fields("0\r\n0\r\n") + "99999999999\r\n",
                      "line 15: the category count (this builder has 7 categories) must be a "
                      "whole number from 0 to 7, not \"99999999999\""},
        RefusedScript{"LastPathWithoutLineEndMissing", Fields("0\r\n0\r\n") + "1\r\n2\r\np.asm",
                      "line 18: the script ends early: a file of \"Parameter File\" expected"}),
    [](const ::testing::TestParamInfo<RefusedScript>& info) { return info.param.name; });

// A read-only build directory, simulated: the tests run as root, for whom
// permissions do not stop a write. Every action reports the path and the
// reason once, and the files already there stay.
TEST_F(BadInput, AReadOnlyBuildDirectoryIsReportedByEveryActionAndKeepsItsFiles) {
    ASSERT_TRUE(CreateCuffware(bench));
    dir.Write("build/demo.scr", "old script");
    const auto package = Package();
    files.failWritesMatching = "*" + build + "*";
    files.message = "cannot create: Permission denied";
    user.shown.clear();

    EXPECT_FALSE(SaveProjectScript(bench));
    EXPECT_FALSE(CreateBuildScripts(bench));
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(user.Messages(), (std::vector<std::string>{
                                   "The builder script was not saved.\n" + build +
                                       "\\demo.scr: cannot create: Permission denied",
                                   "Build scripts were not generated.\n" + build +
                                       "\\ascmd.cmd: cannot create: Permission denied",
                                   "Cuffware files were not generated.\n" + build +
                                       "\\demo_code_018.bin: cannot create: Permission denied"}));
    EXPECT_EQ(dir.Read("build/demo.scr"), "old script");
    EXPECT_EQ(Package(), package);
}

// A full disk, real as far as the writes go: a file size limit makes every
// write past a few bytes fail, as a full disk does.
TEST_F(BadInput, AFullDiskKeepsTheScriptAndThePackage) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX resource limits";
#else
    ASSERT_TRUE(CreateCuffware(bench));
    dir.Write("build/demo.scr", "old script");
    const auto package = Package();
    WriteSections(Counting(200));  // a new build: every file of the package changes
    user.shown.clear();
    {
        testing::FileSizeLimit full(16);
        EXPECT_FALSE(SaveProjectScript(bench));
        EXPECT_FALSE(CreateCuffware(bench));
    }
    EXPECT_EQ(user.Messages(),
              (std::vector<std::string>{"The builder script was not saved.\n" + build +
                                            "\\demo.scr: cannot write: File too large",
                                        "Cuffware files were not generated.\n" + build +
                                            "\\demo_code_018.bin: cannot write: File too large"}));
    EXPECT_EQ(dir.Read("build/demo.scr"), "old script");
    EXPECT_EQ(Package(), package);
    EXPECT_EQ(Leftovers(), "");
#endif
}

// The package is written as one: a failure part-way puts back what the files
// already replaced held, or deletes them when there was no package before.
TEST_F(BadInput, APackagingThatFailsPartWayLeavesThePreviousPackage) {
    files.failWriteNumber = 2;  // the parameter image
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(Package(), (std::map<std::string, std::string>{}));

    ASSERT_TRUE(CreateCuffware(bench));
    const auto package = Package();
    WriteSections(Counting(200));
    for (int failing : {1, 2, 3}) {
        files.writes.clear();
        files.failWriteNumber = failing;
        EXPECT_FALSE(CreateCuffware(bench));
        EXPECT_EQ(Package(), package) << "write " << failing << " failing";
    }
    EXPECT_EQ(user.LastStatus(), "Unable to create Cuffware code");
}

// When the renames keep failing, what cannot be put back is named as well.
TEST_F(BadInput, APackageThatCannotBePutBackIsNamed) {
    ASSERT_TRUE(CreateCuffware(bench));
    WriteSections(Counting(200));
    files.renames = 0;
    files.failRenameNumber = 3;  // the parameter image's, after the code image's two
    files.message = "cannot replace: Permission denied";
    user.shown.clear();
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{
                  "Cuffware files were not generated.\n" + build +
                  "\\demo_par_018.bin: cannot replace: Permission denied\n" + build +
                  "\\demo_code_018.bin: cannot replace: Permission denied (the previous file was "
                  "not put back)"});
}

// S-record files as a broken build may leave them.

TEST_F(BadInput, AnSRecordFileThatVanishesAfterTheCheckStopsThePackaging) {
    files.vanishBeforeRead = "*STATE0.SRE";
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{"Cuffware files were not generated.\n" + build +
                                       "\\STATE0.SRE: cannot open: No such file or directory"});
    EXPECT_EQ(Package(), (std::map<std::string, std::string>{}));
}

TEST_F(BadInput, AFiveMegabyteLineGivesOneRecordsBytes) {
    const std::string digits(5 << 20, 'A');
    dir.Write("build/common.sre", "S0" + digits + "\r\nS2FF800000" + digits + "\r\nS9030000FC\r\n");
    ASSERT_TRUE(CreateCuffware(bench));
    const std::string code = dir.Read("build/demo_code_018.bin");
    EXPECT_EQ(code.substr(11, 3), std::string("\xFE\0\0", 3));  // 3 + 251 bytes
    EXPECT_EQ(code.substr(14, 251), std::string(251, '\xAA'));
}

}  // namespace
}  // namespace cuffware
