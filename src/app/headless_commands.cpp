// The table of the headless command's commands: each runs one main-window
// action on the restored script, or the whole road.

#include "app/analyze_cuffware.h"
#include "app/create_build_scripts.h"
#include "app/create_cuffware.h"
#include "app/demo_command.h"
#include "app/doctor_command.h"
#include "app/file_commands.h"
#include "app/headless.h"
#include "app/new_project_command.h"
#include "app/run_build_scripts.h"
#include "app/start_downloader.h"

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

int Build(HeadlessContext& c) {
    std::optional<int> status = RunBuildScriptsAndWait(c.bench);
    return status ? *status : kExitFailure;
}

int Package(HeadlessContext& c) {
    return ExitOf(CreateCuffware(c.bench));
}

int Analyze(HeadlessContext& c) {
    std::optional<MemoryUsageReport> report = AnalyzeCuffware(c.bench);
    if (!report)
        return kExitFailure;
    c.out << MemoryUsageReportText(*report) << std::flush;
    FinishAnalysis(c.bench);
    return report->OverlayExceeded ? kExitOverlayExceeded : kExitSuccess;
}

int Download(HeadlessContext& c) {
    std::optional<int> status = RunDownloaderAndWait(c.bench);
    return status ? *status : kExitFailure;
}

// generate, build, package, analyze: the first that does not succeed ends
// the road with its status.
int All(HeadlessContext& c) {
    for (auto step : {Generate, Build, Package}) {
        if (int status = step(c); status != kExitSuccess)
            return status;
    }
    return Analyze(c);
}

int Demo(HeadlessContext& c) {
    return RunDemo(c, c.args.operands.empty() ? std::string() : c.args.operands.front(), All);
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
        {"save", "SCRIPT", "restore SCRIPT and save it again (File > Save)", Save},
        {"new", "FOLDER [--states N]",
         "a new project below the SDK's app folder that builds at once", RunNewProject},
        {"doctor", "", "check the set-up: builder.ini, the SDK, the toolchain, wine", RunDoctor},
        {"demo", "[DIR]",
         "lay out the demo SDK, toolchain and application under DIR (default: a "
         "new temporary directory) and run the whole road on it",
         Demo},
    };
    return commands;
}

}  // namespace cuffware
