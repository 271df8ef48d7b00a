// A code image damaged in any way, read by the memory usage analysis and
// shown as the window's captions and table: the reading stays inside its
// buffer and the figures hang together.

#include <cstddef>
#include <cstdint>

#include "analysis/memory_usage.h"
#include "app/command_line/memory_usage_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::fuzz;
    MemoryUsageReport report = MeasureCodeImage(Text(data, size));

    Check(report.StateUsage.size() < kMaxAnalyzedSections, "at most 254 state sections");
    Check(report.ImageSize >= 0 && report.ImageSize <= 0xFFFF, "ImageSize is a 16-bit field");
    Check(report.UsedSize >= 0 && report.UsedSize <= 0xFFFF, "UsedSize is a 16-bit field");
    int largest = 0;
    for (int usage : report.StateUsage) {
        Check(usage >= -3 && usage <= 0xFFFF - 3, "a usage is a 16-bit length less 3");
        largest = usage > largest ? usage : largest;
    }
    Check(report.MaxStateUsage == largest, "the largest state usage");
    Check(report.MaxOverlayUsage == report.CommonUsage + report.MaxStateUsage,
          "overlay usage is common plus the largest state");
    Check(report.OverlayExceeded == (report.MaxOverlayUsage > kFirmwareOverlaySize),
          "ERROR exactly above 900");

    report.FileName = "fuzz_code_018.bin";
    Check(!MemoryUsageReportText(report).empty(), "the report has text");
    return 0;
}
