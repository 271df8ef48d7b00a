#include "app/actions/create_cuffware.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "app/actions/build_directory_lock.h"
#include "package/s2_records.h"
#include "support/workbench_fixture.h"

namespace cuffware {
namespace {

using testing::Counting;
using testing::SectionFile;
using testing::Shown;

class CreateCuffwareTest : public testing::WorkbenchFixture {
  protected:
    CreateCuffwareTest() {
        bench.project.FolderName = " Alarm ";
        bench.project.VersionRequired = "740018";
        bench.project.BuildDirectory = build;
        BuildFileTree(bench.project.Files, 3);
        for (int k : {0, 1, 3})  // state 3 follows a gap: not packaged
            AddFileToCategory(bench.project.Files, StateNode(k), "s.asm");
        dir.Write("build/common.sre", SectionFile(Counting(100)));
        dir.Write("build/state0.sre", SectionFile(Counting(50)));
        dir.Write("build/state1.sre", SectionFile(Counting(20)));
        dir.Write("build/param.sre", SectionFile(Counting(12)));
    }

    std::vector<std::string> Written() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(build))
            if (!entry.path().filename().string().ends_with(".sre"))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A refusal or fault: one critical message, the status, no file written.
    void ExpectNothingWritten(const std::string& message) {
        user.shown.clear();
        EXPECT_FALSE(CreateCuffware(bench));
        EXPECT_EQ(user.shown,
                  (std::vector<Shown>{{Shown::Message, message, MessageIcon::Critical},
                                      {Shown::Status, "Unable to create Cuffware code"}}));
        EXPECT_EQ(Written(), std::vector<std::string>{});
    }

    const std::string build = dir / "build";
};

TEST_F(CreateCuffwareTest, ABlankFolderNameOnlySetsTheStatus) {
    bench.project.FolderName = "   ";
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(user.shown, (std::vector<Shown>{{Shown::Status, "Application not specified"}}));
}

TEST_F(CreateCuffwareTest, AMissingSRecordFileStopsBeforeAnythingIsWritten) {
    std::filesystem::remove(build + "/state1.sre");
    ExpectNothingWritten(build +
                         "\\STATE1.SRE not found. Correct errors and Run Build Scripts again.");
}

TEST_F(CreateCuffwareTest, WritesBothImagesAndTheDescriptionTheSameEachTime) {
    ASSERT_TRUE(CreateCuffware(bench));
    EXPECT_EQ(user.shown,
              (std::vector<Shown>{{Shown::Status, "Cuffware code generated"},
                                  {Shown::Message, "Successful Generation of Cuffware Files",
                                   MessageIcon::Information}}));
    EXPECT_EQ(Written(),
              (std::vector<std::string>{"Alarm.txt", "alarm_code_018.bin", "alarm_par_018.bin"}));
    auto package = [&] {
        return dir.Read("build/alarm_code_018.bin") + dir.Read("build/alarm_par_018.bin") +
               dir.Read("build/Alarm.txt");
    };
    const std::string first = package();
    const std::string code = dir.Read("build/alarm_code_018.bin");
    const std::string parameters = dir.Read("build/alarm_par_018.bin");
    EXPECT_EQ(code.size(), 192u);
    EXPECT_EQ(code.substr(0, 7), std::string("\xC0\0\xC0\0\x02\x03\0", 7));
    EXPECT_EQ(parameters, Counting(9) + std::string("\xC0\0\x0C", 3) + std::string(16, '\0'));

    ASSERT_TRUE(CreateCuffware(bench));
    EXPECT_EQ(package(), first);
}

TEST_F(CreateCuffwareTest, AConversionThatFailsWritesNothing) {
    const std::string notGenerated = "Cuffware files were not generated.\n" + build;
    dir.Write("build/common.sre", SectionFile(Counting(32768)));
    ExpectNothingWritten(notGenerated +
                         "\\COMMON.SRE: the code image would take 32860 bytes, more than the "
                         "32768 it can hold");
    dir.Write("build/common.sre", SectionFile(Counting(100)));
    dir.Write("build/param.sre", SectionFile(Counting(32)));
    ExpectNothingWritten(
        notGenerated + "\\param.sre: 32 parameter data bytes, more than the 31 the image can take");
    dir.Write("build/param.sre", SectionFile(Counting(20)) + SectionFile(Counting(1)));
    ExpectNothingWritten(notGenerated +
                         "\\param.sre, line 6: the record writes address 0x008000, which the "
                         "record on line 2 writes already");
    dir.Write("build/param.sre", SectionFile(Counting(20)));
#ifndef _WIN32
    // Passes the existence test but is refused unread: a FIFO, where a read
    // would wait for a writer for ever.
    std::filesystem::remove(build + "/state0.sre");
    ASSERT_EQ(mkfifo((build + "/state0.sre").c_str(), 0600), 0);
    ExpectNothingWritten(notGenerated + "\\STATE0.SRE: cannot read: not a regular file");
#endif
}

TEST_F(CreateCuffwareTest, AnImageThatCannotBeWrittenIsReported) {
    std::filesystem::create_directory(build + "/alarm_par_018.bin");
    EXPECT_FALSE(CreateCuffware(bench));
    EXPECT_EQ(user.Messages(),
              std::vector<std::string>{"Cuffware files were not generated.\n" + build +
                                       "\\alarm_par_018.bin: cannot open: Is a directory"});
    EXPECT_EQ(user.LastStatus(), "Unable to create Cuffware code");
    // The code image written before it is taken back: no new image beside an old one.
    EXPECT_EQ(Written(), std::vector<std::string>{"alarm_par_018.bin"});
}

}  // namespace
}  // namespace cuffware
