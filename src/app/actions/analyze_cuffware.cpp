#include "app/actions/analyze_cuffware.h"

#include <utility>

#include "app/actions/build_directory_lock.h"
#include "app/actions/status_texts.h"
#include "platform/text_rules.h"

namespace cuffware {

std::optional<MemoryUsageReport> AnalyzeCuffware(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    if (!FolderNamed(bench))
        return std::nullopt;
    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held)
        return std::nullopt;
    Result<MemoryUsageReport> report = AnalyzeCodeImage(
        bench.files, project.FolderName, project.BuildDirectory, project.VersionRequired);
    if (!report) {
        const Diagnostic& failure = report.error();
        bench.user.ShowMessage(failure.message == kCodeImageNotFound
                                   ? failure.path + " " + failure.message
                                   : failure.Text(),
                               MessageIcon::Critical);
        return std::nullopt;
    }
    return std::move(*report);
}

void FinishAnalysis(Workbench& bench) {
    bench.user.SetStatus(kStatusReady);
}

}  // namespace cuffware
