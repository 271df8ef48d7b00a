// Files added through the main window's model on a Wine drive, built by the
// Windows tools under wine through the Linux batch runner, give the
// images the native tools give. scripts/test-windows runs it in its
// Wine prefix, where the SDK is at c:\q740 and the cross-built tools at
// c:\c88\bin and c:\q740\bin; elsewhere it is skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/command_line/demo_command.h"
#include "app/command_line/headless.h"
#include "app/window_models/main_window_model.h"
#include "platform/file_system.h"
#include "platform/host_process.h"
#include "platform/host_tree.h"
#include "platform/system_info.h"
#include "support/environment_scope.h"
#include "support/recording_user_port.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

// The road's files are small; this only bounds a read gone wrong.
constexpr size_t kWholeFile = 16 << 20;

using testing::TempDir;

int RunCuffware(const std::vector<std::string>& args, std::string& output) {
    std::ostringstream out, err;
    int status = RunHeadless(args, DiskFileSystem(), HostProcesses(), out, err);
    output = out.str() + err.str();
    return status;
}

TEST(WineRoad, FilesAddedThroughTheModelBuildWithTheWindowsToolsUnderWine) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!std::getenv("CUFFWARE_WINE_ROAD") || !prefix)
        GTEST_SKIP() << "scripts/test-windows runs this in its Wine prefix";
    std::string drive = std::string(prefix) + "/drive_c";
    ASSERT_TRUE(IsWindowsExecutable(drive + "/c88/bin/as88.exe"));
    ASSERT_FALSE(FindInPath("wine").empty());
    std::string demo = DefaultDemoSources().demoDir;

    // The native road on the demo, in a drive of its own.
    TempDir native;
    std::string output;
    {
        testing::EnvironmentScope keep("WINEPREFIX", prefix);
        ASSERT_EQ(RunCuffware({"demo", native.path()}, output), 0) << output;
    }

    // The demo's sources copied into a new application folder on the Wine
    // drive, then added as a user adds them: Add File with the paths a file
    // dialog gives (through dosdevices or through drive_c) and a drop.
    std::string application = drive + "/q740/app/wineroad";
    std::filesystem::remove_all(application);
    ASSERT_TRUE(CopyTree(demo + "/app/src", application + "/src").ok());
    TempDir settings;
    ASSERT_TRUE(CopyOneFile(demo + "/builder.ini", settings / "builder.ini", false).ok());
    testing::RecordingUserPort user;
    MainWindowModel model(DiskFileSystem(), HostProcesses(), user, HostRegistry());
    model.Start(settings / "builder.ini", "");
    model.FieldChanged(MainField::FolderName, "wineroad");
    std::string viaDosdevices = std::string(prefix) + "/dosdevices/c:/q740/app/wineroad/src/";
    std::string viaDrive = application + "/src/";
    const std::pair<int, std::string> added[] = {
        {kParameterNode, viaDosdevices + "demopar.asm"}, {kHeaderNode, viaDrive + "demo.h"},
        {kBackgroundNode, viaDrive + "backgrnd.asm"},    {kCommonNode, viaDosdevices + "util.asm"},
        {StateNode(0), viaDrive + "clock.asm"},          {StateNode(1), viaDrive + "settime.asm"},
    };
    for (const auto& [category, path] : added) {
        model.NodeSelected(category);
        user.dialogAnswers.push_back(path);
        model.AddFile();
    }
    model.NodeSelected(StateNode(2));
    model.FilesDropped({viaDosdevices + "stopwtch.asm"});
    model.SaveProject();

    std::string script = application + "/build/wineroad.scr";
    Result<std::string> saved = DiskFileSystem().ReadFile(script, kWholeFile);
    ASSERT_TRUE(saved.ok()) << script << "\n" << ::testing::PrintToString(user.Messages());
    for (const char* name : {"demopar.asm", "demo.h", "util.asm", "stopwtch.asm"})
        EXPECT_NE(saved->find(std::string("\r\nc:\\q740\\app\\wineroad\\src\\") + name + "\r\n"),
                  std::string::npos)
            << *saved;
    EXPECT_EQ(saved->find('/'), std::string::npos) << *saved;

    // The Linux road with the Windows programs: each runs under wine.
    ASSERT_EQ(RunCuffware({"--settings", settings / "builder.ini", "--quiet", "all",
                           "c:\\q740\\app\\wineroad\\build\\wineroad.scr"},
                          output),
              0)
        << output;
    std::string common =
        DiskFileSystem().ReadFile(application + "/build/common.asm", kWholeFile).value();
    EXPECT_NE(common.find("INCLUDE 'c:\\q740\\app\\wineroad\\src\\util.asm'"), std::string::npos);

    std::string nativeBuild = native / "drive_c/q740/app/demo/build/";
    for (const char* kind : {"code", "par"}) {
        std::string name = std::string("_") + kind + "_018.bin";
        Result<std::string> windows =
            DiskFileSystem().ReadFile(application + "/build/wineroad" + name, kWholeFile);
        ASSERT_TRUE(windows.ok()) << name;
        EXPECT_EQ(*windows,
                  DiskFileSystem().ReadFile(nativeBuild + "demo" + name, kWholeFile).value())
            << name;
    }
}

}  // namespace
}  // namespace cuffware
