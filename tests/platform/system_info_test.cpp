#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "support/recording_processes.h"
#include "support/recording_user_port.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

// What starting the viewer records: on Windows its path is quoted, so one
// with blanks is not split.
std::string Started(const std::string& viewer) {
#ifdef _WIN32
    return "command \"" + viewer + "\"";
#else
    return "command " + viewer;
#endif
}

using testing::RecordingProcesses;
using testing::RecordingUserPort;
using testing::Shown;
using testing::TempDir;

class FakeRegistry : public Registry {
  public:
    std::optional<std::string> GetKeyValue(RegistryRoot, const std::string& keyName,
                                           const std::string& valueName) override {
        asked.push_back(keyName + "|" + valueName);
        auto found = values.find({keyName, valueName});
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> asked;
};

class SysInfo : public ::testing::Test {
  protected:
    SysInfo() : lookup{registry, DiskFileSystem(), {}, "", ':'} {}

    std::vector<Shown> Start() {
        StartSysInfo(lookup, processes, user);
        return user.shown;
    }

    TempDir dir;
    FakeRegistry registry;
    SysInfoLookup lookup;
    RecordingProcesses processes;
    RecordingUserPort user;
};

const std::vector<Shown> kUnavailable{
    {Shown::Message, "System Information Is Unavailable At This Time", MessageIcon::None}};

TEST_F(SysInfo, TheMsinfoPathValueIsStartedAsItStands) {
    registry.values[{kMsinfoKey, "PATH"}] = "C:\\Program Files\\msinfo32.exe";
    registry.values[{kMsinfoLocationKey, "MSINFO"}] = dir.path();
    EXPECT_EQ(Start(), std::vector<Shown>{});
    EXPECT_EQ(processes.started,
              std::vector<std::string>{Started("C:\\Program Files\\msinfo32.exe")});
    EXPECT_EQ(registry.asked, std::vector<std::string>{std::string(kMsinfoKey) + "|PATH"});
}

TEST_F(SysInfo, TheSharedToolsLocationNeedsMsinfo32InIt) {
    registry.values[{kMsinfoLocationKey, "MSINFO"}] = dir.path();
    EXPECT_EQ(Start(), kUnavailable);
    EXPECT_TRUE(processes.started.empty());

    user.shown.clear();
    dir.Write("MSINFO32.EXE", "");
    EXPECT_EQ(Start(), std::vector<Shown>{});
    EXPECT_EQ(processes.started, std::vector<std::string>{Started(dir.path() + "\\MSINFO32.EXE")});
}

TEST_F(SysInfo, NeitherValueOrAViewerThatCannotStartMeansUnavailable) {
    EXPECT_EQ(Start(), kUnavailable);
    EXPECT_EQ(registry.asked.size(), 2u);

    user.shown.clear();
    registry.values[{kMsinfoKey, "PATH"}] = "C:\\msinfo32.exe";
    processes.failWith = "no such file";
    EXPECT_EQ(Start(), kUnavailable);
}

TEST_F(SysInfo, WithoutRegistryValuesTheFirstFallbackOnTheSearchPathIsTaken) {
    dir.Write("b/second", "");
    dir.Write("c/first", "");
    lookup.fallbackViewers = {"first", "second"};
    lookup.searchPath = ":" + (dir / "a") + ":" + (dir / "b") + ":" + (dir / "c");
    EXPECT_EQ(FindSysInfoViewer(lookup), dir / "c/first");

    lookup.fallbackViewers = {"third"};
    EXPECT_EQ(FindSysInfoViewer(lookup), std::nullopt);
}

}  // namespace
}  // namespace cuffware
