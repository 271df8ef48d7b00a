#include "app/command_line/headless.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/recording_processes.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::RecordingProcesses;
using testing::TempDir;

TEST(HeadlessArguments, SettingsCommandAndOperands) {
    Result<HeadlessArguments> a =
        ParseHeadlessArguments({"--settings", "my.ini", "generate", "demo.scr"});
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a->settingsPath, "my.ini");
    EXPECT_EQ(a->command, "generate");
    EXPECT_EQ(a->operands, std::vector<std::string>{"demo.scr"});
    EXPECT_FALSE(ParseHeadlessArguments({"--settings"}).ok());
    EXPECT_FALSE(ParseHeadlessArguments({}).ok());
    EXPECT_FALSE(ParseHeadlessArguments({"--bogus", "x"}).ok());
    EXPECT_TRUE(ParseHeadlessArguments({"--help"})->help);
}

struct HeadlessRun {
    int status;
    std::string out;
    std::string err;
};

HeadlessRun Headless(const std::vector<std::string>& args) {
    RecordingProcesses processes;
    std::ostringstream out, err;
    int status = RunHeadless(args, DiskFileSystem(), processes, out, err);
    return {status, out.str(), err.str()};
}

TEST(Headless, HelpListsTheCommandsAndWrongArgumentsAreUsageErrors) {
    HeadlessRun run = Headless({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage: cuffware [--settings FILE] COMMAND"), std::string::npos);
    for (const HeadlessCommand& command : HeadlessCommands())
        EXPECT_NE(run.out.find(std::string("  ") + command.name + " "), std::string::npos);
    // Each command explains itself beyond its summary.
    for (const HeadlessCommand& command : HeadlessCommands()) {
        HeadlessRun help = Headless({command.name, "--help"});
        EXPECT_EQ(help.status, 0);
        std::string usage = std::string("Usage: cuffware [--settings FILE] ") + command.name + " " +
                            OperandsText(command) + "\n" + command.summary + ".\n\n";
        EXPECT_TRUE(help.out.starts_with(usage)) << help.out;
        EXPECT_GT(help.out.size(), usage.size() + 40) << command.name;
    }
    EXPECT_EQ(Headless({"save", "x.scr", "--json"}).status, kExitUsage);
    EXPECT_EQ(Headless({"frobnicate"}).status, kExitUsage);
    EXPECT_EQ(Headless({}).status, kExitUsage);
    EXPECT_EQ(Headless({"save"}).status, kExitUsage);
}

TEST(Headless, AScriptThatCannotBeRestoredFailsOnStandardError) {
    TempDir dir;
    HeadlessRun run = Headless({"--settings", dir / "builder.ini", "save", dir / "missing.scr"});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.out, "Ready\n");
    EXPECT_NE(run.err.find(dir / "missing.scr"), std::string::npos);
    EXPECT_TRUE(dir.Exists("builder.ini"));  // created with the defaults

    // Settings that can neither be read nor created warn on standard error
    // and leave standard output to the results.
    run = Headless({"--settings", dir / "no/such/builder.ini", "save", dir / "missing.scr"});
    EXPECT_EQ(run.out, "Ready\n");
    EXPECT_NE(run.err.find("The tool settings cannot be read or created"), std::string::npos);
}

// The command line's paths pass the rule of every path field: a network
// path or a Windows device is a usage error naming the operand.
TEST(Headless, NetworkPathsAndDevicesOnTheCommandLineAreRefused) {
    TempDir dir;
    HeadlessRun script =
        Headless({"--settings", dir / "builder.ini", "generate", "\\\\nas\\a.scr"});
    EXPECT_EQ(script.status, kExitUsage);
    EXPECT_EQ(script.err,
              "cuffware: the script \"\\\\nas\\a.scr\" is a network path, which the "
              "builder does not map\n");
    HeadlessRun settings = Headless({"--settings", dir / "nul.ini", "save", dir / "a.scr"});
    EXPECT_EQ(settings.status, kExitUsage);
    EXPECT_EQ(settings.err, "cuffware: the settings file \"" + dir / "nul.ini" +
                                "\" names the Windows device NUL\n");
    EXPECT_EQ(Headless({"demo", dir / "AUX"}).err, "cuffware: the demo directory \"" + dir / "AUX" +
                                                       "\" names the Windows device AUX\n");
    EXPECT_FALSE(dir.Exists("nul.ini"));
}

TEST(Headless, SaveRoundTripsAScript) {
    TempDir dir;
    std::string script = "App\r\ndemo\r\n\r\n\r\n\r\n740018\r\n0\r\n0\r\n\r\nh\r\ns\r\n" +
                         dir.path() + "\r\ni\r\na\r\n0\r\n";
    dir.Write("demo.scr", script);
    HeadlessRun run = Headless({"--settings", dir / "builder.ini", "save", dir / "demo.scr"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.Read("demo.scr").substr(0, 50), script.substr(0, 50));
}

// The demo never lays itself out over what a directory already holds.
TEST(Headless, TheDemoRefusesADirectoryThatIsNotEmpty) {
    TempDir dir;
    dir.Write("builder.ini", "SDK=mine\r\n");
    HeadlessRun run = Headless({"demo", dir.path()});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, "The demo was not laid out.\n" + dir.path() +
                           ": is not empty; the demo lays itself out in a new or empty one\n");
    EXPECT_EQ(dir.Read("builder.ini"), "SDK=mine\r\n");
    EXPECT_FALSE(dir.Exists("drive_c"));
    EXPECT_FALSE(dir.Exists("q740"));
}

}  // namespace
}  // namespace cuffware
