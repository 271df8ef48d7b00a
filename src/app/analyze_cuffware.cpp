#include "app/analyze_cuffware.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "app/status_texts.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

// One line of the section table: the first column padded to width, two
// blanks, the second column.
std::string TableRow(std::string first, size_t width, const std::string& second) {
    first.resize(std::max(first.size(), width), ' ');
    return first + "  " + second + "\n";
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

    // The first column is as wide as its longest text: "Section" up to State 9.
    std::vector<std::pair<std::string, int>> rows{{"Common", report.CommonUsage}};
    for (size_t i = 0; i < report.StateUsage.size(); ++i)
        rows.emplace_back("State " + std::to_string(i), report.StateUsage[i]);
    size_t width = std::string_view("Section").size();
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    text += TableRow("Section", width, "Memory Usage");
    for (const auto& [section, usage] : rows)
        text += TableRow(section, width, std::to_string(usage));
    return text;
}

}  // namespace cuffware
