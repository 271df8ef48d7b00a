// What the other windows show: the analysis values and bars, the About
// box's version line, the placement in twips.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/window_models/about_texts.h"
#include "app/window_models/memory_usage_view.h"
#include "app/window_models/window_placement.h"

namespace cuffware {
namespace {

TEST(MemoryUsageView, StateBarsStandOnTheCommonSectionAndOneByteOverIsAnError) {
    MemoryUsageReport report;
    report.FileName = "demo_code_018.bin";
    report.CommonUsage = 500;
    report.StateUsage = {300, 401};
    report.MaxStateUsage = 401;
    report.MaxOverlayUsage = 901;
    report.OverlayExceeded = true;
    MemoryUsageView view = MemoryUsageViewOf(report);
    ASSERT_EQ(view.values.size(), 7u);
    ASSERT_EQ(std::count_if(view.values.begin(), view.values.end(),
                            [](const MemoryUsageValue& value) { return value.errorMark; }),
              1);
    for (const MemoryUsageValue& value : view.values) {
        if (value.errorMark) {
            EXPECT_EQ(value.value, "901");
        }
    }
    EXPECT_TRUE(view.overlayExceeded);
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[0].base, 0);
    EXPECT_EQ(view.rows[0].barTip, "500 of 900 bytes");
    EXPECT_FALSE(view.rows[1].exceeded);
    EXPECT_TRUE(view.rows[2].exceeded);
    EXPECT_EQ(view.rows[2].base, 500);
    EXPECT_EQ(view.rows[2].barTip, "500 + 401 of 900 bytes");
}

TEST(MemoryUsageView, BarsStayInsideTheirTrack) {
    EXPECT_EQ(BarSpan(450, 200), 100);
    EXPECT_EQ(BarSpan(5000, 200), 200);
    EXPECT_EQ(BarSpan(-3, 200), 0);
}

TEST(WindowTexts, VersionLineAndPlacementInTwips) {
    EXPECT_EQ(VersionLine(1, 1, 92), "Version 1.1.92");
    // 1440 twips an inch: at 96 dots, 15 twips a pixel; at 120, 12.
    WindowPlacement placement = PlacementInTwips({-10, 48, 961, 480}, 96.0, 120.0);
    std::string stored;
    for (const auto& [name, value] : PlacementEntries(placement))
        stored += std::string(name) + "=" + value + " ";
    EXPECT_EQ(stored, "MainLeft=-150 MainTop=576 MainWidth=14415 MainHeight=5760 ");
}

}  // namespace
}  // namespace cuffware
