// The window program's command line, and what it answers without a window.

#include <gtest/gtest.h>

#include "app/actions/program_settings.h"
#include "app/window_models/builder_arguments.h"

namespace cuffware {
namespace {

// --help, -h and --version are answered on the console, each as the only
// word; anything else opens the window (a script may be named -h.scr, and
// a script's words may follow --settings).
TEST(ConsoleAnswer, HelpAndVersionAloneAreAnsweredWithoutAWindow) {
    for (const char* help : {"--help", "-h"}) {
        std::optional<std::string> answer = ConsoleAnswer({help});
        ASSERT_TRUE(answer) << help;
        EXPECT_TRUE(answer->starts_with("Usage: cuffware-builder [--settings FILE] [SCRIPT]\n"));
        EXPECT_NE(answer->find("  --version "), std::string::npos);
    }
    EXPECT_EQ(ConsoleAnswer({"--version"}),
              VersionReport("cuffware-builder", ChosenSettingsFile("")));
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{},
                                               {"-h.scr"},
                                               {"alarm.scr"},
                                               {"--help", "alarm.scr"},
                                               {"--settings", "--help"},
                                               {"--settings", "b.ini", "--version"}})
        EXPECT_FALSE(ConsoleAnswer(words)) << ::testing::PrintToString(words);
}

TEST(BuilderArguments, SettingsFirstThenTheScriptsWordsJoined) {
    BuilderArguments parsed = ParseBuilderArguments({"--settings", "b.ini", "my", "alarm.scr"});
    EXPECT_EQ(parsed.settingsPath, "b.ini");
    EXPECT_EQ(parsed.argumentText, "my alarm.scr");
    EXPECT_EQ(ParseBuilderArguments({"alarm.scr", "--settings", "b.ini"}).argumentText,
              "alarm.scr --settings b.ini");
}

}  // namespace
}  // namespace cuffware
