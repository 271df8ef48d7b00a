// Runs of "package" that are killed part-way, and runs that meet on one build
// directory: whatever happens, the next run finds the whole previous package
// or the whole new one, and no temporary file once it has passed.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "app/actions/build_directory_lock.h"
#include "app/actions/create_cuffware.h"
#include "app/actions/file_commands.h"
#include "app/command_line/headless.h"
#include "package/s2_records.h"
#include "support/recording_processes.h"
#include "support/recording_user_port.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;
using testing::Counting;
using testing::SectionFile;

// The disk, but the process ends at once, as under kill -9, just before the
// Nth step that changes it. WriteFile is taken as its two steps, the
// temporary file and the rename.
class CrashingFileSystem : public FileSystem {
  public:
    explicit CrashingFileSystem(int crashAt) : crashAt_(crashAt) {}

    bool Exists(const std::string& path) override { return disk_.Exists(path); }
    Result<bool> Present(const std::string& path) override { return disk_.Present(path); }
    Result<std::string> ReadFile(const std::string& path, size_t maxBytes) override {
        return disk_.ReadFile(path, maxBytes);
    }
    Status WriteFile(const std::string& path, std::string_view content) override {
        Result<std::string> temporary = WriteTemporary(path, content);
        if (!temporary)
            return temporary.error();
        Status renamed = Rename(*temporary, path);
        if (!renamed) {
            (void)RemoveFile(*temporary);
            return renamed;
        }
        return disk_.FlushDirectory(path.substr(0, path.find_last_of("\\/")));
    }
    Result<std::string> WriteTemporary(const std::string& path, std::string_view content) override {
        Step();
        return disk_.WriteTemporary(path, content);
    }
    Status Rename(const std::string& from, const std::string& to) override {
        Step();
        return disk_.Rename(from, to);
    }
    Status FlushDirectory(const std::string& directory) override {
        return disk_.FlushDirectory(directory);
    }
    Status MakeDirectory(const std::string& path) override { return disk_.MakeDirectory(path); }
    Status RemoveFile(const std::string& path) override {
        Step();
        return disk_.RemoveFile(path);
    }
    int DeleteMatching(const std::string& directory, std::string_view pattern) override {
        Step();
        return disk_.DeleteMatching(directory, pattern);
    }

  private:
    void Step() {
        if (++steps_ == crashAt_)
            _exit(kCrashed);
    }

    static constexpr int kCrashed = 99;
    FileSystem& disk_ = DiskFileSystem();
    int crashAt_;
    int steps_ = 0;
};

class InterruptedRun : public ::testing::Test {
  protected:
    InterruptedRun() {
        dir.Write("builder.ini", "STATES=2\r\nVERSION=740018\r\n");
        dir.Write(
            "build/demo.scr",
            "App\r\ndemo\r\nd\r\nb1\r\nb2\r\n740018\r\n0\r\n0\r\n\r\nh\r\ns\r\n" + build +
                "\r\ni\r\na\r\n7\r\n1\r\np.asm\r\n1\r\nh.h\r\n1\r\nb.asm\r\n0\r\n1\r\ns.asm\r\n"
                "0\r\n0\r\n");
        WriteSections(100);
    }

    void WriteSections(int commonBytes) {
        dir.Write("build/common.sre", SectionFile(Counting(commonBytes)));
        dir.Write("build/state0.sre", SectionFile(Counting(50)));
        dir.Write("build/param.sre", SectionFile(Counting(12)));
    }

    // The headless command on the script; its exit status.
    int Headless(const std::string& command, FileSystem& files = DiskFileSystem()) {
        testing::RecordingProcesses processes;
        std::ostringstream out, err;
        return RunHeadless({"--settings", dir / "builder.ini", command, build + "/demo.scr"}, files,
                           processes, out, err);
    }

    // The headless command in a child process: how it ended.
    int InChild(const std::string& command, int crashAt) {
        pid_t child = fork();
        if (child == 0) {
            CrashingFileSystem files(crashAt);
            _exit(Headless(command, files));
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    using Package = std::map<std::string, std::string>;
    Package PackageOnDisk() const {
        Package package;
        for (const char* name : {"demo_code_018.bin", "demo_par_018.bin", "demo.txt"})
            if (dir.Exists("build/" + std::string(name)))
                package[name] = dir.Read("build/" + std::string(name));
        return package;
    }
    void PutOnDisk(const Package& package) {
        for (const auto& [name, content] : package)
            dir.Write("build/" + name, content);
    }

    // Every file of the build directory, to be put back as it was.
    Package BuildDirectory() const {
        Package files;
        for (const auto& entry : fs::directory_iterator(build))
            files[entry.path().filename().string()] =
                dir.Read("build/" + entry.path().filename().string());
        return files;
    }
    void PutBuildDirectory(const Package& files) {
        for (const auto& entry : fs::directory_iterator(build))
            fs::remove(entry.path());
        PutOnDisk(files);
    }

    // What an interrupted run may leave: temporary and kept-aside files, the journal.
    std::string Leftovers() const {
        std::string names;
        for (const auto& entry : fs::directory_iterator(build)) {
            const std::string name = entry.path().filename().string();
            if (name.find(".cuffware-") != std::string::npos || name.ends_with(".journal"))
                names += name + " ";
        }
        return names;
    }
    void RemoveLeftovers() {
        for (const auto& entry : fs::directory_iterator(build)) {
            const std::string name = entry.path().filename().string();
            if (name.find(".cuffware-") != std::string::npos || name.ends_with(".journal"))
                fs::remove(entry.path());
        }
    }

    // Packages with 100, then 200 bytes in the common section: the package
    // before and after, as they lie on disk.
    void PackageTwice() {
        ASSERT_EQ(Headless("package"), kExitSuccess);
        before = PackageOnDisk();
        WriteSections(200);
        ASSERT_EQ(Headless("package"), kExitSuccess);
        after = PackageOnDisk();
        ASSERT_NE(before, after);
    }

    testing::TempDir dir;
    const std::string build = dir / "build";
    Package before, after;
};

// A kill before each step of "package" in turn: the next run ("analyze")
// finds the previous package or the new one, whole, and nothing left over.
TEST_F(InterruptedRun, AKilledPackageLeavesTheOldOrTheNewPackage) {
    ASSERT_NO_FATAL_FAILURE(PackageTwice());

    int olds = 0, news = 0, step = 1;
    for (;; ++step) {
        PutOnDisk(before);
        RemoveLeftovers();
        const int ended = InChild("package", step);
        ASSERT_TRUE(ended == 99 || ended == kExitSuccess) << "step " << step;
        EXPECT_EQ(Headless("analyze"), kExitSuccess) << "step " << step;
        const Package found = PackageOnDisk();
        EXPECT_TRUE(found == before || found == after) << "killed before step " << step;
        EXPECT_EQ(Leftovers(), "") << "killed before step " << step;
        (found == before ? olds : news) += 1;
        if (ended == kExitSuccess)
            break;
    }
    EXPECT_GE(step, 10);  // three files, a journal, renames: every one was a kill point
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 1);
}

// A kill before each step of "package", then a kill before each step of the
// repair the next run makes of what it left: after every pair, a run finds
// the previous package or the new one, whole.
TEST_F(InterruptedRun, AKilledRepairLeavesTheOldOrTheNewPackage) {
    ASSERT_NO_FATAL_FAILURE(PackageTwice());

    int pairs = 0;
    for (int step = 1;; ++step) {
        PutOnDisk(before);
        RemoveLeftovers();
        if (InChild("package", step) == kExitSuccess)
            break;
        const Package left = BuildDirectory();
        for (int repairStep = 1;; ++repairStep, ++pairs) {
            PutBuildDirectory(left);
            const int repaired = InChild("analyze", repairStep);
            EXPECT_EQ(Headless("analyze"), kExitSuccess) << step << "/" << repairStep;
            const Package found = PackageOnDisk();
            EXPECT_TRUE(found == before || found == after)
                << "package killed before step " << step << ", repair before step " << repairStep;
            EXPECT_EQ(Leftovers(), "") << step << "/" << repairStep;
            if (repaired != 99)
                break;
        }
    }
    EXPECT_GE(pairs, 20);
}

// A journal someone else wrote may not move files from outside the build
// directory into the package.
TEST_F(InterruptedRun, AJournalNamingAFileOutsideIsRefused) {
    ASSERT_EQ(Headless("package"), kExitSuccess);
    const Package package = PackageOnDisk();
    dir.Write("outside.bin", "outside");
    dir.Write("build/cuffware-package.journal",
              "cuffware package journal\r\n..\\outside.bin\r\ndemo_code_018.bin\r\nend\r\n");
    EXPECT_EQ(Headless("analyze"), kExitFailure);
    EXPECT_EQ(Headless("package"), kExitFailure);
    EXPECT_EQ(dir.Read("outside.bin"), "outside");
    EXPECT_EQ(PackageOnDisk(), package);
}

// Inside the build directory too, a journal moves only the package's own
// files from their own temporary files: naming the script as a temporary
// file, or the script as a package file, moves nothing.
TEST_F(InterruptedRun, AJournalNamingAnyOtherFileMovesNothing) {
    ASSERT_EQ(Headless("package"), kExitSuccess);
    const Package package = PackageOnDisk();
    const std::string script = dir.Read("build/demo.scr");
    dir.Write("build/demo.scr.1.cuffware-new", "not a script");
    for (const char* moves :
         {"demo.scr\r\ndemo_code_018.bin\r\n", "demo.scr.1.cuffware-new\r\ndemo.scr\r\n",
          "demo_par_018.bin\r\ndemo_code_018.bin\r\n"}) {
        dir.Write("build/cuffware-package.journal",
                  "cuffware package journal\r\n" + std::string(moves) + "end\r\n");
        EXPECT_EQ(Headless("analyze"), kExitFailure) << moves;
        EXPECT_EQ(dir.Read("build/demo.scr"), script) << moves;
        EXPECT_EQ(PackageOnDisk(), package) << moves;
    }
}

// A commit deletes what it kept aside: packaging twice over a package and
// then any run that settles the build directory keeps the second package.
TEST_F(InterruptedRun, PackagingTwiceLeavesNoBackupToPutBack) {
    ASSERT_EQ(Headless("package"), kExitSuccess);
    WriteSections(150);
    ASSERT_EQ(Headless("package"), kExitSuccess);
    WriteSections(200);
    ASSERT_EQ(Headless("package"), kExitSuccess);
    const Package second = PackageOnDisk();
    EXPECT_EQ(Leftovers(), "");
    EXPECT_EQ(Headless("analyze"), kExitSuccess);
    EXPECT_EQ(PackageOnDisk(), second);
}

// Another process holds the build directory: the run waits, then refuses,
// saying that another program holds it (which one cannot be told). Once the
// holder is killed, its lock holds nothing up.
TEST_F(InterruptedRun, AHeldBuildDirectoryRefusesUntilItsHolderIsKilled) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        Result<RunLock> lock = LockRun(build, 0);
        (void)!write(ready[1], lock ? "y" : "n", 1);
        pause();
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');

    testing::RecordingUserPort user;
    testing::RecordingProcesses processes;
    Workbench bench(DiskFileSystem(), processes, user);
    LoadWorkbench(bench, dir / "builder.ini");
    ASSERT_TRUE(RestoreProjectScript(bench, build + "/demo.scr"));
    bench.runLockPatienceMs = 200;
    user.shown.clear();
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{"The build directory is in use by another program.\n" +
                                       build + ": in use: another program holds its lock"});

    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(CreateCuffware(bench));
    close(ready[0]);
    close(ready[1]);
}

// A build directory that cannot be locked for another reason than another
// holder says that reason first; the lock leaves no file behind.
TEST_F(InterruptedRun, ALockThatCannotBeTakenSaysWhyFirst) {
    ASSERT_EQ(Headless("analyze"), kExitFailure);  // no package yet
    EXPECT_FALSE(fs::exists(build + "/cuffware.lock"));
    testing::RecordingUserPort user;
    testing::RecordingProcesses processes;
    Workbench bench(DiskFileSystem(), processes, user);
    LoadWorkbench(bench, dir / "builder.ini");
    ASSERT_TRUE(RestoreProjectScript(bench, build + "/demo.scr"));
    dir.Write("file", "");
    bench.project.BuildDirectory = dir / "file";
    user.shown.clear();
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{dir / "file" + ": cannot lock: Not a directory"});
}

// Two processes packaging one build directory over and over: each run waits
// for the other, none fails, and the package stays whole.
TEST_F(InterruptedRun, TwoProcessesPackagingOneDirectoryTakeTurns) {
    ASSERT_EQ(Headless("package"), kExitSuccess);
    const Package package = PackageOnDisk();
    pid_t runners[2];
    for (pid_t& runner : runners) {
        runner = fork();
        if (runner == 0) {
            for (int i = 0; i < 15; ++i)
                if (Headless("package") != kExitSuccess || Headless("analyze") != kExitSuccess)
                    _exit(1);
            _exit(0);
        }
    }
    for (pid_t runner : runners) {
        int status = 0;
        waitpid(runner, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(PackageOnDisk(), package);
    EXPECT_EQ(Leftovers(), "");
}

// The batch of a run of `all`: it writes the section S-records with
// commonBytes in the common section, as a build of that run's sources would.
class SectionWritingProcesses : public testing::RecordingProcesses {
  public:
    SectionWritingProcesses(const testing::TempDir& dir, int commonBytes)
        : dir_(dir), commonBytes_(commonBytes) {}
    Result<int> RunBatch(const std::string& batchPathText) override {
        dir_.Write("build/common.sre", SectionFile(Counting(commonBytes_)));
        return RecordingProcesses::RunBatch(batchPathText);
    }

  private:
    const testing::TempDir& dir_;
    int commonBytes_;
};

// The disk, but a run stops after its build, before its package step,
// until told to go on: it writes to stopped, then reads from go.
class StopAfterBuildFileSystem : public FileSystem {
  public:
    StopAfterBuildFileSystem(int stopped, int go) : stopped_(stopped), go_(go) {}

    bool Exists(const std::string& path) override { return disk_.Exists(path); }
    Result<bool> Present(const std::string& path) override { return disk_.Present(path); }
    Result<std::string> ReadFile(const std::string& path, size_t maxBytes) override {
        if (path.ends_with("first-failure.txt")) {  // the build's report: the build is over
            char answer = 0;
            (void)!write(stopped_, "s", 1);
            (void)!read(go_, &answer, 1);
        }
        return disk_.ReadFile(path, maxBytes);
    }
    Status WriteFile(const std::string& path, std::string_view content) override {
        return disk_.WriteFile(path, content);
    }
    Result<std::string> WriteTemporary(const std::string& path, std::string_view content) override {
        return disk_.WriteTemporary(path, content);
    }
    Status Rename(const std::string& from, const std::string& to) override {
        return disk_.Rename(from, to);
    }
    Status FlushDirectory(const std::string& directory) override {
        return disk_.FlushDirectory(directory);
    }
    Status MakeDirectory(const std::string& path) override { return disk_.MakeDirectory(path); }
    Status RemoveFile(const std::string& path) override { return disk_.RemoveFile(path); }
    int DeleteMatching(const std::string& directory, std::string_view pattern) override {
        return disk_.DeleteMatching(directory, pattern);
    }

  private:
    FileSystem& disk_ = DiskFileSystem();
    int stopped_, go_;
};

// Run A of `all` stops between its build and its package step; run B starts
// meanwhile. B must not come in between A's steps: B waits, is refused and
// leaves the build directory alone, and A's package and verdict are those of
// A's own build.
TEST_F(InterruptedRun, ASecondAllCannotComeBetweenTheStepsOfTheFirst) {
    WriteSections(100);
    ASSERT_EQ(Headless("package"), kExitSuccess);
    const Package ofA = PackageOnDisk();
    WriteSections(200);
    ASSERT_EQ(Headless("package"), kExitSuccess);
    ASSERT_NE(PackageOnDisk(), ofA);

    // Each run in a child process, its output in RUN.out and RUN.err.
    auto runAll = [&](const std::string& name, int commonBytes, FileSystem& files) {
        SectionWritingProcesses processes(dir, commonBytes);
        std::ostringstream out, err;
        int status = RunHeadless({"--settings", dir / "builder.ini", "all", build + "/demo.scr"},
                                 files, processes, out, err);
        dir.Write(name + ".out", out.str());
        dir.Write(name + ".err", err.str());
        return status;
    };
    auto ended = [](pid_t child) {
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    int stopped[2], go[2];
    ASSERT_EQ(pipe(stopped), 0);
    ASSERT_EQ(pipe(go), 0);
    pid_t a = fork();
    if (a == 0) {
        StopAfterBuildFileSystem files(stopped[1], go[0]);
        _exit(runAll("a", 100, files));
    }
    char answer = 0;
    ASSERT_EQ(read(stopped[0], &answer, 1), 1);
    pid_t b = fork();
    if (b == 0)
        _exit(runAll("b", 200, DiskFileSystem()));
    const int endedB = ended(b);
    ASSERT_EQ(write(go[1], "g", 1), 1);
    const int endedA = ended(a);
    for (int end : {stopped[0], stopped[1], go[0], go[1]})
        close(end);

    EXPECT_EQ(endedB, kExitFailure);
    EXPECT_NE(dir.Read("b.err").find("The build directory is in use by another program."),
              std::string::npos)
        << dir.Read("b.err");
    EXPECT_EQ(endedA, kExitSuccess) << dir.Read("a.err");
    EXPECT_EQ(PackageOnDisk(), ofA);
    EXPECT_NE(dir.Read("a.out").find("Package ready in " + build + ": demo_code_018.bin"),
              std::string::npos)
        << dir.Read("a.out");
    EXPECT_EQ(Leftovers(), "");
}

}  // namespace
}  // namespace cuffware
#endif
