#include "app/actions/analyze_cuffware.h"

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

TEST_F(AnalyzeCuffwareTest, MeasuresTheImageOfTheProjectAndEndsWithReady) {
    WriteImage({100, 50, 801});
    std::optional<MemoryUsageReport> report = AnalyzeCuffware(bench);
    ASSERT_TRUE(report);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_EQ(report->FileName, "Demo_code_018.bin");
    EXPECT_EQ(report->StateUsage, (std::vector<int>{50, 801}));
    EXPECT_EQ(report->MaxOverlayUsage, 901);
    EXPECT_TRUE(report->OverlayExceeded);
    FinishAnalysis(bench);
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Status, "Ready"}}));
}

}  // namespace
}  // namespace cuffware
