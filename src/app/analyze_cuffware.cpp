#include "app/analyze_cuffware.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/build_directory_lock.h"
#include "app/status_texts.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

constexpr std::string_view kTableHeader = "Section  Memory Usage";
constexpr size_t kUsageColumn = 9;  // where "Memory Usage" starts

// One row of the section table: the usage under "Memory Usage", or one blank
// after a section name too long for that.
std::string TableRow(std::string section, int usage) {
    section.resize(std::max(section.size() + 1, kUsageColumn), ' ');
    return section + std::to_string(usage) + "\n";
}

}  // namespace

std::optional<MemoryUsageReport> AnalyzeCuffware(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    if (Trimmed(project.FolderName).empty()) {
        bench.user.SetStatus(kStatusApplicationNotSpecified);
        return std::nullopt;
    }
    std::optional<RunLock> held = HoldBuildDirectory(bench, "Analyze Cuffware");
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

std::string MemoryUsageReportText(const MemoryUsageReport& report) {
    std::string text;
    text += "Code File: " + report.FileName + "\n";
    text += "EEPROM Memory Usage: " + std::to_string(report.ImageSize) + "\n";
    text += "Code Size: " + std::to_string(report.UsedSize) + "\n";
    text += "Common Section Usage: " + std::to_string(report.CommonUsage) + "\n";
    text += "Maximum State Usage: " + std::to_string(report.MaxStateUsage) + "\n";
    text += "Maximum Overlay Usage: " + std::to_string(report.MaxOverlayUsage) +
            (report.OverlayExceeded ? " ERROR" : "") + "\n";
    text += "Overlay Size: " + std::to_string(kFirmwareOverlaySize) + "\n";

    text += std::string(kTableHeader) + "\n";
    text += TableRow("Common", report.CommonUsage);
    for (size_t i = 0; i < report.StateUsage.size(); ++i)
        text += TableRow("State " + std::to_string(i), report.StateUsage[i]);
    return text;
}

}  // namespace cuffware
