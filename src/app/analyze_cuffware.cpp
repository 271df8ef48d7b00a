#include "app/analyze_cuffware.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/build_directory_lock.h"
#include "app/memory_usage_view.h"
#include "app/status_texts.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

// One row of the section table: the usage under the second column's
// heading, or one blank after a section name too long for that.
std::string TableRow(std::string section, const std::string& usage, size_t usageColumn) {
    section.resize(std::max(section.size() + 1, usageColumn), ' ');
    return section + usage + "\n";
}

}  // namespace

std::optional<MemoryUsageReport> AnalyzeCuffware(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    if (!FolderNamed(bench))
        return std::nullopt;
    std::optional<RunLock> held = HoldBuildDirectory(bench);
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

// The window's captions end in ":" or get one here, so each line reads
// "Caption: value".
std::string MemoryUsageReportText(const MemoryUsageReport& report) {
    MemoryUsageView view = MemoryUsageViewOf(report);
    std::string text;
    for (size_t i = 0; i < view.values.size(); ++i) {
        std::string_view caption = view.values[i].caption;
        text += std::string(caption) + (caption.ends_with(':') ? " " : ": ") + view.values[i].value;
        if (i == view.errorBeside && view.overlayExceeded)
            text += " ERROR";
        text += "\n";
    }
    std::string header = std::string(view.columns[0]) + "  " + view.columns[1];
    size_t usageColumn = header.size() - std::string_view(view.columns[1]).size();
    text += header + "\n";
    for (const MemoryUsageRow& row : view.rows)
        text += TableRow(row.section, row.usageText, usageColumn);
    return text;
}

}  // namespace cuffware
