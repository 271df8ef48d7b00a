// The table of the headless command's commands: each runs one main-window
// action on the restored script, or all of them in turn, or one of the
// commands beyond them; with what its --help says.

#include "app/actions/analyze_cuffware.h"
#include "app/actions/build_directory_lock.h"
#include "app/actions/create_build_scripts.h"
#include "app/actions/create_cuffware.h"
#include "app/actions/file_commands.h"
#include "app/actions/run_build_scripts.h"
#include "app/actions/start_downloader.h"
#include "app/command_line/demo_command.h"
#include "app/command_line/doctor_command.h"
#include "app/command_line/headless.h"
#include "app/command_line/memory_usage_text.h"
#include "app/command_line/new_project_command.h"
#include "app/command_line/next_command.h"
#include "app/command_line/overlay_report.h"
#include "app/command_line/test_command.h"
#include "app/command_line/verdict.h"

namespace cuffware {

namespace {

int ExitOf(bool done) {
    return done ? kExitSuccess : kExitFailure;
}

int Save(HeadlessContext& c) {
    return ExitOf(SaveProjectScript(c.bench));
}

int Generate(HeadlessContext& c) {
    return ExitOf(CreateBuildScripts(c.bench));
}

// Each step of `all` prints the action's own texts and gives its exit status
// (the build also its first failure); the commands end with one verdict
// line after them.
using StepResult = BuildOutcome;

StepResult PackageStep(HeadlessContext& c) {
    return {ExitOf(CreateCuffware(c.bench)), {}};
}

int Analyze(HeadlessContext& c) {
    std::optional<MemoryUsageReport> report = AnalyzeCuffware(c.bench);
    if (!report)
        return kExitFailure;
    if (c.args.json) {
        c.out << MemoryUsageJson(*report) << std::endl;
        FinishAnalysis(c.bench);
    } else {
        c.out << MemoryUsageReportText(*report) << std::flush;
        FinishAnalysis(c.bench);
        c.out << OverlaySharesText(*report) << std::flush;
        if (report->OverlayExceeded)
            c.err << OverlayExceededText(*report) << std::endl;
    }
    return report->OverlayExceeded ? kExitOverlayExceeded : kExitSuccess;
}

// A success names the next step as a command line to paste.
int WithVerdict(HeadlessContext& c, const StepResult& step, const std::string& success) {
    if (step.status == kExitSuccess)
        c.out << success << std::endl;
    else
        c.err << FailedVerdict(c.printed, step.firstFailure, step.status) << std::endl;
    return step.status;
}

std::string ThenPackage(HeadlessContext& c) {
    return BuildDoneVerdict(c.bench.project) +
           "\nPackage it with: " + NextCuffwareCommand(c, "package", c.args.operands.front());
}

std::string ThenDownload(HeadlessContext& c) {
    return PackageReadyVerdict(c.bench.project) + "\nLoad it into the watch with: " +
           NextCuffwareCommand(c, "download", c.args.operands.front());
}

int Build(HeadlessContext& c) {
    return WithVerdict(c, RunBuildReportingFailure(c), ThenPackage(c));
}

int Package(HeadlessContext& c) {
    return WithVerdict(c, PackageStep(c), ThenDownload(c));
}

int Download(HeadlessContext& c) {
    std::optional<int> status = RunDownloaderAndWait(c.bench);
    return status ? *status : kExitFailure;
}

// generate, build, package, analyze: the first that does not succeed ends
// the steps with their status. The run holds the build directory from the
// first step to the verdict, so the package it names is the one these steps
// made: a second run waits, then is refused.
int All(HeadlessContext& c) {
    BuildDirectoryRun run(c.bench);
    if (!run.Taken())
        return WithVerdict(c, {kExitFailure, {}}, {});
    StepResult step{Generate(c), {}};
    if (step.status == kExitSuccess)
        step = RunBuildReportingFailure(c);
    if (step.status == kExitSuccess)
        step = PackageStep(c);
    if (step.status != kExitSuccess)
        return WithVerdict(c, step, {});
    int analyzed = Analyze(c);
    if (analyzed == kExitOverlayExceeded) {
        c.err << OverlayExceededVerdict(c.bench.project) << std::endl;
        return analyzed;
    }
    return WithVerdict(c, {analyzed, {}}, ThenDownload(c));
}

// The demo's steps: all, then its routine tests on the build all made.
int AllThenTests(HeadlessContext& c) {
    int status = All(c);
    return status == kExitSuccess ? RunTests(c) : status;
}

int Demo(HeadlessContext& c) {
    return RunDemo(c, c.args.operands.empty() ? std::string() : c.args.operands.front(),
                   AllThenTests);
}

}  // namespace

const std::vector<HeadlessCommand>& HeadlessCommands() {
    using enum CommandOperands;
    static const std::vector<HeadlessCommand> commands = {
        {"generate", Script, "", false,
         "Create Build Scripts: the section sources, build.bat, option files", Generate,
         "Restores SCRIPT and writes what the cross toolchain needs into the build\n"
         "directory: common.asm, state<N>.asm and param.asm, build.bat, and the\n"
         "option files ascmd.cmd, lkcmd.cmd and lccmd.cmd (as \"Create Build\n"
         "Scripts\" does). Exit status 0 when every file was written.\n"},
        {"build", Script, "", false, "Run Build Scripts, waiting for build.bat; its exit status",
         Build,
         "Restores SCRIPT and runs the build directory's build.bat, waiting for it:\n"
         "through the command interpreter on Windows, elsewhere through the batch\n"
         "runner cuffware-batch (Windows programs under wine). Run generate first.\n"
         "The last line says where the S-records are, or names the first batch line\n"
         "that failed; the assembler's own message stands above it. The exit status\n"
         "is the batch's. --quiet leaves out the echo of each command and the\n"
         "\"Could Not Find\" lines of the batch runner.\n"},
        {"package", Script, "", false,
         "Create Cuffware: the code and parameter images, the description", Package,
         "Restores SCRIPT, checks that every section's S-record file is there and\n"
         "packs them into the code image FOLDER_code_VVV.bin and the parameter\n"
         "image FOLDER_par_VVV.bin, then writes the descriptor FOLDER.app and the\n"
         "description FOLDER.txt (as \"Create Cuffware\" does). The last line names\n"
         "the package's files and their directory, or what failed first.\n"},
        {"analyze", Script, "", true,
         "Analyze Cuffware: the memory usage against the 900-byte overlay", Analyze,
         "Restores SCRIPT and reads the code image back: the window's captions with\n"
         "their values, the table of each section's memory usage, then each\n"
         "section's share of the 900-byte code overlay (a state shares it with the\n"
         "common section). Exit status 3 when a state and the common section\n"
         "together exceed the overlay; the sections that do are named on standard\n"
         "error. --json prints the report as one JSON object instead, for scripts\n"
         "(status lines then go to standard error).\n"},
        {"download", Script, "", false, "Cuffware Downloader, waiting; its exit status", Download,
         "Restores SCRIPT and runs the SDK's downloader (bin\\CuffwareDL.exe) on the\n"
         "descriptor FOLDER.app, waiting for it; its exit status.\n"},
        {"all", Script, "", false, "generate, build, package and analyze, up to the first failure",
         All,
         "generate, build, package and analyze SCRIPT, stopping at the first step\n"
         "that fails with its exit status (3 when the overlay is exceeded). The\n"
         "last line names the package's files and their directory, or what failed\n"
         "first. --quiet as for build.\n"},
        {"test", Script, "", true,
         "build unless up to date, then run the routine tests of the project's test folder",
         RunTests,
         "Restores SCRIPT, builds it as all does (generate and build) unless the\n"
         "build is up to date (every code section's S-records and map newer than\n"
         "the script and every file of the project), then runs the routine tests\n"
         "of the test files (*.tst) in the folder test beside the project's src on\n"
         "the simulator: one line per test, \"PASS name (N cycles)\" or \"FAIL name:\n"
         "expected ..., seen ...\" followed by the last instructions it ran, then\n"
         "\"N passed, M failed\". A malformed test file is refused with its\n"
         "FILE:LINE:COLUMN. Exit status 0 only when every test passed. --json\n"
         "prints the results as one JSON object instead. The format of the test\n"
         "files: docs/testing.md.\n"},
        {"save", Script, "", false, "restore SCRIPT and save it again (File > Save)", Save,
         "Restores SCRIPT and saves it again to BUILD\\FOLDER.scr, as File > Open and\n"
         "File > Save do: a way to check a script that was written by hand.\n"},
        {"new", Own, "FOLDER [--states N]", false,
         "a new project below the SDK's app folder that builds at once", RunNewProject,
         "cuffware new FOLDER [--states N]\n"
         "Makes a project that builds at once: the directories h, src and build\n"
         "below SDK\\app\\FOLDER (SDK from builder.ini), starter sources in src (the\n"
         "parameter file, a header, the background handler, a common file and the\n"
         "code of states 0 to N-1, N 1 by default), each saying what belongs in it,\n"
         "and the builder script build\\FOLDER.scr. Nothing is written when any of\n"
         "these files exists. Then: cuffware all SDK\\app\\FOLDER\\build\\FOLDER.scr.\n"
         "The script's format: docs/builder-script.md.\n"},
        {"doctor", Own, "", false, "check the set-up: builder.ini, the SDK, the toolchain, wine",
         RunDoctor,
         "Checks the set-up before a build fails, one line per check, \"ok\" or\n"
         "\"FAIL\" first: the builder.ini in use and its values; the SDK and\n"
         "toolchain directories (with the host path each maps to off Windows); the\n"
         "SDK's include and bin folders and Q740INC.H; as88, lk88 and lc88 in the\n"
         "toolchain's bin, maplist, labelset and the downloader in the SDK's bin;\n"
         "the processor description in the toolchain's etc; and off Windows wine,\n"
         "when any of those programs is a Windows program. Each failure is followed\n"
         "by what to do, and the last line says whether the set-up can build. Exit\n"
         "status 0 only when every check passed.\n"},
        {"demo", Own, "[DIR]", false,
         "lay out the demo SDK, toolchain and applications in DIR (default: a "
         "new directory) and run every step on it",
         Demo,
         "cuffware demo [DIR]\n"
         "Lays out in DIR (a new directory when not given: a temporary one off\n"
         "Windows, %LOCALAPPDATA%\\Cuffware\\Demo on Windows) the demo SDK, our\n"
         "toolchain, the demo applications, their builder scripts and a\n"
         "builder.ini naming them; then runs all, download and the demo's routine\n"
         "tests on the demo and prints where everything is and the command that\n"
         "opens it in the window. Off\n"
         "Windows DIR is a Wine prefix whose c: drive holds c:\\q740 and c:\\c88. A\n"
         "DIR that is not empty is refused.\n"},
    };
    return commands;
}

}  // namespace cuffware
