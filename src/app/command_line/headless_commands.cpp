// The table of the headless command's commands: each runs one main-window
// action on the restored script, or all of them in turn.

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
    static const std::vector<HeadlessCommand> commands = {
        {"generate", "SCRIPT", "Create Build Scripts: the section sources, build.bat, option files",
         Generate},
        {"build", "SCRIPT", "Run Build Scripts, waiting for build.bat; its exit status", Build},
        {"package", "SCRIPT", "Create Cuffware: the code and parameter images, the description",
         Package},
        {"analyze", "SCRIPT", "Analyze Cuffware: the memory usage against the 900-byte overlay",
         Analyze},
        {"download", "SCRIPT", "Cuffware Downloader, waiting; its exit status", Download},
        {"all", "SCRIPT", "generate, build, package and analyze, up to the first failure", All},
        {"test", "SCRIPT",
         "build unless up to date, then run the routine tests of the project's test folder",
         RunTests},
        {"save", "SCRIPT", "restore SCRIPT and save it again (File > Save)", Save},
        {"new", "FOLDER [--states N]",
         "a new project below the SDK's app folder that builds at once", RunNewProject},
        {"doctor", "", "check the set-up: builder.ini, the SDK, the toolchain, wine", RunDoctor},
        {"demo", "[DIR]",
         "lay out the demo SDK, toolchain and applications in DIR (default: a "
         "new directory) and run every step on it",
         Demo},
    };
    return commands;
}

}  // namespace cuffware
