#include "package/build_outputs.h"

#include <gtest/gtest.h>

#include "support/recording_user_port.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::RecordingUserPort;
using testing::TempDir;

ProjectRecord WithStates(int numberOfStates, std::initializer_list<int> statesWithFiles) {
    ProjectRecord project;
    BuildFileTree(project.Files, numberOfStates);
    for (int k : statesWithFiles)
        AddFileToCategory(project.Files, StateNode(k), "s" + std::to_string(k) + ".asm");
    return project;
}

TEST(StateSectionCount, StopsAtTheFirstStateWithoutFiles) {
    EXPECT_EQ(StateSectionCount(WithStates(15, {0, 1, 3}).Files), 2);
    EXPECT_EQ(StateSectionCount(WithStates(15, {1}).Files), 0);
    EXPECT_EQ(StateSectionCount(WithStates(2, {0, 1, 2}).Files), 3);
    EXPECT_EQ(StateSectionCount(FileTree{}), 0);
}

TEST(CheckAllSRE, ReportsOnlyTheFirstMissingFileInListOrder) {
    TempDir dir;
    ProjectRecord project = WithStates(15, {0, 1, 3});
    project.BuildDirectory = " " + dir.path() + " ";
    // The messages of one check, or "found" when it returns true.
    auto check = [&] {
        RecordingUserPort user;
        return CheckAllSRE(project, DiskFileSystem(), user) ? std::vector<std::string>{"found"}
                                                            : user.Messages();
    };
    EXPECT_EQ(check(), std::vector<std::string>{dir.path() + "\\COMMON.SRE" + kSRecordMissing});
    dir.Write("common.sre", "");  // the batch writes lower-case names
    dir.Write("state0.sre", "");
    dir.Write("param.sre", "");
    EXPECT_EQ(check(), std::vector<std::string>{dir.path() + "\\STATE1.SRE" + kSRecordMissing});
    dir.Write("state1.sre", "");
    EXPECT_EQ(check(), std::vector<std::string>{"found"});
}

TEST(CheckAllSRE, RefusesMoreStateSectionsThanTheListHolds) {
    ProjectRecord project = WithStates(120, {});
    for (int k = 0; k <= kMaxStateSections; ++k)
        AddFileToCategory(project.Files, StateNode(k), "s.asm");
    RecordingUserPort user;
    EXPECT_FALSE(CheckAllSRE(project, DiskFileSystem(), user));
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{"The application has 99 state sections; at most 98 can be "
                                       "packaged."});
}

}  // namespace
}  // namespace cuffware
