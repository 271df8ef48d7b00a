#include "app/analyze_cuffware.h"

#include "app/status_texts.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

// The section table's first column: as wide as its header, then two blanks.
constexpr size_t kSectionColumnWidth = 7;

std::string TableRow(std::string section, int usage) {
    if (section.size() < kSectionColumnWidth)
        section.resize(kSectionColumnWidth, ' ');
    return section + "  " + std::to_string(usage) + "\n";
}

}  // namespace

std::optional<MemoryUsageReport> AnalyzeCuffware(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    if (Trimmed(project.FolderName).empty()) {
        bench.user.SetStatus(kStatusApplicationNotSpecified);
        return std::nullopt;
    }
    Result<MemoryUsageReport> report = AnalyzeCodeImage(
        bench.files, project.FolderName, project.BuildDirectory, project.VersionRequired);
    if (!report) {
        bench.user.ShowMessage(report.error().path + " " + report.error().message,
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
    text += "Section  Memory Usage\n";
    text += TableRow("Common", report.CommonUsage);
    for (size_t i = 0; i < report.StateUsage.size(); ++i)
        text += TableRow("State " + std::to_string(i), report.StateUsage[i]);
    return text;
}

}  // namespace cuffware
