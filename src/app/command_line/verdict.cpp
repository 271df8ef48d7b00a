#include "app/command_line/verdict.h"

#include "analysis/memory_usage.h"
#include "app/actions/run_build_scripts.h"
#include "platform/batch_environment.h"
#include "platform/host_path.h"
#include "platform/path_text.h"
#include "platform/scratch_file.h"
#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "project/build_files.h"

namespace cuffware {

namespace {

// The build directory, with its host path where that differs.
std::string BuildDirectoryShown(const ProjectRecord& project) {
    return WithHostPath(Trimmed(project.BuildDirectory));
}

// "BUILD (HOST): code image, parameter image, descriptor, description".
std::string PackageFiles(const ProjectRecord& project) {
    std::string folder = Trimmed(project.FolderName);
    return BuildDirectoryShown(project) + ": " +
           std::string(FileNameOf(ImagePath(project, "code"))) + ", " +
           std::string(FileNameOf(ImagePath(project, "par"))) + ", " + DescriptorName(folder) +
           ", " + DescriptionName(folder);
}

}  // namespace

std::string PackageReadyVerdict(const ProjectRecord& project) {
    return "Package ready in " + PackageFiles(project);
}

std::string OverlayExceededVerdict(const ProjectRecord& project) {
    return "Failed: the package does not fit the " + std::to_string(kFirmwareOverlaySize) +
           "-byte overlay; its files are in " + PackageFiles(project);
}

std::string BuildDoneVerdict(const ProjectRecord& project) {
    return "Build done: the S-records are in " + BuildDirectoryShown(project);
}

std::string FailedVerdict(const PrintingUserPort& printed, const std::string& batchFailure,
                          int status) {
    if (!batchFailure.empty())
        return "Failed: " + batchFailure;
    if (!printed.FirstProblem().empty())
        return "Failed: " + printed.FirstProblem();
    if (!printed.LastStatus().empty())
        return "Failed: " + printed.LastStatus() + " (exit status " + std::to_string(status) + ")";
    return "Failed with exit status " + std::to_string(status);
}

// The batch runner's report of its first failure is one line.
constexpr size_t kMaxReportBytes = 64 << 10;

BuildOutcome RunBuildReportingFailure(HeadlessContext& context) {
    ScratchFile report("first-failure.txt");
    ProcessStarter& processes = context.bench.processes;
    processes.SetChildVariable(kReportVariable, report.path());
    processes.SetChildVariable(kQuietVariable, context.args.quiet ? "1" : "");
    std::optional<int> status = RunBuildScriptsAndWait(context.bench);
    processes.RemoveChildVariable(kReportVariable);
    processes.RemoveChildVariable(kQuietVariable);

    BuildOutcome outcome{status ? *status : kExitFailure, {}};
    if (Result<std::string> text = context.bench.files.ReadFile(report.path(), kMaxReportBytes);
        text) {
        std::vector<std::string_view> lines = SplitLines(*text);
        if (!lines.empty())
            outcome.firstFailure = lines.front();
    }
    return outcome;
}

}  // namespace cuffware
