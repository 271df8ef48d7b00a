// The set-up check's report: one cause said once, with what fails because of it.

#include <gtest/gtest.h>

#include "app/command_line/doctor_command.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

class Doctor : public ::testing::Test {
  protected:
    Doctor() {
        dir.Write("builder.ini", "");
        settings.SdkPath = dir / "q740";
        settings.AssemblerPath = dir / "c88";
    }
    std::string Report() const {
        return DoctorChecksText(CheckSetup(settings, dir / "builder.ini"));
    }
    static size_t Count(const std::string& text, const std::string& part) {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    testing::TempDir dir;
    ToolSettings settings = DefaultToolSettings();
};

// A fresh machine: neither directory is there. Each is one FAIL with what to
// do, and the checks inside it follow as one line; the verdict still counts
// every check that failed.
TEST_F(Doctor, AMissingDirectoryIsOneFailureWithTheChecksThatNeedIt) {
    std::vector<DoctorLine> lines = CheckSetup(settings, dir / "builder.ini");
    std::string report = DoctorChecksText(lines);
    EXPECT_EQ(Count(report, "FAIL  "), 2u) << report;
    EXPECT_EQ(Count(report, "what to do: "), 2u) << report;
    EXPECT_NE(report.find("FAIL  SDK directory: no such directory " + (dir / "q740") +
                          "\n      what to do: set the SDK directory to where it is installed: "
                          "Tools > Options in the window, or BIN= in " +
                          (dir / "builder.ini") +
                          "\n      and so fail the 6 checks that need it: SDK include directory, "
                          "SDK main header, SDK bin directory, maplist, labelset, downloader\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("\n      and so fail the 4 checks that need it: assembler as88, linker "
                          "lk88, locator lc88, processor description\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(DoctorVerdict(lines, "cuffware demo"),
              "The set-up cannot build: 12 of 13 checks failed. To see a build work first, try "
              "the bundled demo: cuffware demo");
}

// The SDK is there without its include folder: the folder is the cause, the
// header inside it follows it; what does not need the folder stays a
// failure of its own.
TEST_F(Doctor, TheNearestFailedCheckIsTheCause) {
    dir.Write("q740/bin/maplist", "");
    std::string report = Report();
    EXPECT_NE(report.find("ok    SDK directory: "), std::string::npos) << report;
    EXPECT_NE(report.find("FAIL  SDK include directory: no such directory " + (dir / "q740") +
                          "\\include"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("\n      and so fails the check that needs it: SDK main header\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("ok    maplist: "), std::string::npos) << report;
    EXPECT_NE(report.find("FAIL  labelset: not found"), std::string::npos) << report;
    EXPECT_EQ(report.find("FAIL  SDK main header"), std::string::npos) << report;
}

}  // namespace
}  // namespace cuffware
