#include "app/command_line/memory_usage_text.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(MemoryUsageReportText, PrintsTheCaptionsAndTheSectionTable) {
    MemoryUsageReport report;
    report.FileName = "Demo_code_018.bin";
    report.ImageSize = 1024;
    report.UsedSize = 973;
    report.CommonUsage = 100;
    report.StateUsage = {50, 801};
    report.MaxStateUsage = 801;
    report.MaxOverlayUsage = 901;
    report.OverlayExceeded = true;
    EXPECT_EQ(MemoryUsageReportText(report),
              "Code File: Demo_code_018.bin\nEEPROM Memory Usage: 1024\nCode Size: 973\n"
              "Common Section Usage: 100\nMaximum State Usage: 801\n"
              "Maximum Overlay Usage: 901 ERROR\nOverlay Size: 900\n"
              "Section  Memory Usage\nCommon   100\nState 0  50\nState 1  801\n");
}

}  // namespace
}  // namespace cuffware
