#include "analysis/memory_usage.h"

#include <gtest/gtest.h>

#include "package/code_image.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

std::string Image(int common, std::initializer_list<int> states) {
    std::vector<SRecordData> sections{{"c", std::string(common, 'c')}};
    for (int size : states)
        sections.push_back({"s", std::string(size, 's')});
    return *ComposeCodeImage(sections);
}

struct Usage {
    int common;
    std::vector<int> states;
    int maxState;
    int maxOverlay;
    bool exceeded;
    bool operator==(const Usage&) const = default;
};

Usage Measured(std::string_view image) {
    const MemoryUsageReport r = MeasureCodeImage(image);
    return {r.CommonUsage, r.StateUsage, r.MaxStateUsage, r.MaxOverlayUsage, r.OverlayExceeded};
}

TEST(MeasureCodeImage, ComparesCommonPlusTheLargestStateWith900) {
    EXPECT_EQ(Measured(Image(500, {300, 400})), (Usage{500, {300, 400}, 400, 900, false}));
    EXPECT_EQ(Measured(Image(500, {300, 401})), (Usage{500, {300, 401}, 401, 901, true}));
    EXPECT_EQ(Measured(Image(0, {0, 2})), (Usage{0, {0, 2}, 2, 2, false}));
    EXPECT_EQ(Measured(Image(120, {})), (Usage{120, {}, 0, 120, false}));
}

// A damaged image is read as far as it fits: what lies past the file, past
// the bytes UsedSize names or past the buffer reads as 0.
TEST(MeasureCodeImage, ReadsADamagedImageOnlyAsFarAsItFits) {
    std::string image = Image(100, {50, 20});
    EXPECT_EQ(Measured(image.substr(0, 115)), (Usage{100, {-3, -3}, 0, 100, false}));
    EXPECT_EQ(Measured(image.substr(0, 3)), (Usage{-3, {}, 0, -3, false}));
    image[2] = 9;  // UsedSize 9: the bytes from 13 on are not read
    EXPECT_EQ(Measured(image), (Usage{-3, {-3, -3}, 0, -3, false}));

    std::string wild(40000, '\xFF');  // SectionCount 65535 counts as 255
    wild[9] = '\xF9';                 // state 0 at 0x7FF9 + 7: its length's
    wild[10] = '\x7F';                // high byte lies past the buffer
    const MemoryUsageReport report = MeasureCodeImage(wild);
    EXPECT_EQ(report.CommonUsage, 0xFFFF - 3);
    ASSERT_EQ(report.StateUsage.size(), 254u);
    EXPECT_EQ(report.StateUsage[0], 0xFF - 3);
    EXPECT_EQ(report.StateUsage[1], -3);
}

TEST(AnalyzeCodeImage, FindsTheImageWhateverTheFolderNameCase) {
    testing::TempDir dir;
    dir.Write("build/demo_code_018.bin", Image(100, {50}));
    Result<MemoryUsageReport> report =
        AnalyzeCodeImage(DiskFileSystem(), " Demo ", dir / "build ", "740018");
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report->FileName, "Demo_code_018.bin");
    EXPECT_EQ(report->StateUsage, std::vector<int>{50});

    report = AnalyzeCodeImage(DiskFileSystem(), "Demo", dir / "build", "18");
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.error().path, dir / "build" + "\\Demo_code_18.bin");
    EXPECT_EQ(report.error().message, kCodeImageNotFound);
}

}  // namespace
}  // namespace cuffware
