#include "app/actions/run_build_scripts.h"

#include <optional>
#include <string>

#include "app/actions/build_directory_lock.h"
#include "app/actions/status_texts.h"
#include "platform/text_rules.h"
#include "project/build_files.h"

namespace cuffware {

namespace {

constexpr const char* kStatusExecuting = "Executing the build scripts";
constexpr const char* kMessageNoBatch = "Build scripts not available.  Create Build Scripts.";
constexpr const char* kMessageWait =
    "Assembling the application.  Wait until the build window closes before selecting OK.";

// The batch to run, or nothing after a refusal that the user has been told.
std::optional<std::string> BatchToRun(Workbench& bench) {
    if (!FolderNamed(bench))
        return std::nullopt;
    std::string path = BuildDirectoryFile(bench.project, kBuildBatchName);
    if (!bench.files.Exists(path)) {
        bench.user.ShowMessage(kMessageNoBatch, MessageIcon::Critical);
        return std::nullopt;
    }
    return path;
}

void ReportNotStarted(Workbench& bench, const Diagnostic& failure) {
    bench.user.ShowMessage("The build scripts could not be started.\n" + failure.Text(),
                           MessageIcon::Critical);
}

}  // namespace

bool RunBuildScripts(Workbench& bench) {
    std::optional<std::string> path = BatchToRun(bench);
    if (!path)
        return false;
    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held)
        return false;
    held->ShareWithChildren();  // the batch holds the build directory until it ends
    if (Status started = bench.processes.StartBatch(*path); !started) {
        ReportNotStarted(bench, started.error());
        return false;
    }
    bench.user.SetStatus(kStatusExecuting);
    bench.user.ShowMessage(kMessageWait, MessageIcon::Exclamation);
    return true;
}

std::optional<int> RunBuildScriptsAndWait(Workbench& bench) {
    std::optional<std::string> path = BatchToRun(bench);
    if (!path)
        return std::nullopt;
    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held)
        return std::nullopt;
    bench.user.SetStatus(kStatusExecuting);
    held->ShareWithChildren();  // a run killed while it waits leaves the batch holding it
    Result<int> status = bench.processes.RunBatch(*path);
    if (!status) {
        ReportNotStarted(bench, status.error());
        return std::nullopt;
    }
    bench.user.ShowMessage(kMessageWait, MessageIcon::Exclamation);
    return *status;
}

}  // namespace cuffware
