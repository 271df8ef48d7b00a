#include "app/analyze_cuffware.h"

#include <gtest/gtest.h>

#include "package/code_image.h"
#include "support/workbench_fixture.h"

namespace cuffware {
namespace {

using testing::Shown;

class AnalyzeCuffwareTest : public testing::WorkbenchFixture {
  protected:
    AnalyzeCuffwareTest() {
        bench.project.FolderName = "Demo";
        bench.project.VersionRequired = "740018";
        bench.project.BuildDirectory = dir / "build";
    }

    void WriteImage(std::initializer_list<size_t> sizes) {
        std::vector<SRecordData> sections;
        for (size_t size : sizes)
            sections.push_back({"", std::string(size, '\x55')});
        dir.Write("build/demo_code_018.bin", *ComposeCodeImage(sections));
    }
};

TEST_F(AnalyzeCuffwareTest, RefusesABlankFolderAndReportsAMissingImage) {
    bench.project.FolderName = " ";
    EXPECT_FALSE(AnalyzeCuffware(bench));
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Status, "Application not specified"}}));

    user.shown.clear();
    bench.project.FolderName = "Demo";
    EXPECT_FALSE(AnalyzeCuffware(bench));
    EXPECT_EQ(user.shown,
              (std::vector<Shown>{{Shown::Message, dir / "build" + "\\Demo_code_018.bin not found.",
                                   MessageIcon::Critical}}));
}

TEST_F(AnalyzeCuffwareTest, PrintsTheCaptionsAndTheSectionTable) {
    WriteImage({100, 50, 801});
    std::optional<MemoryUsageReport> report = AnalyzeCuffware(bench);
    ASSERT_TRUE(report);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_EQ(MemoryUsageReportText(*report),
              "Code File: Demo_code_018.bin\nEEPROM Memory Usage: 1024\nCode Size: 973\n"
              "Common Section Usage: 100\nMaximum State Usage: 801\n"
              "Maximum Overlay Usage: 901 ERROR\nOverlay Size: 900\n"
              "Section  Memory Usage\nCommon   100\nState 0  50\nState 1  801\n");
    FinishAnalysis(bench);
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Status, "Ready"}}));
}

}  // namespace
}  // namespace cuffware
