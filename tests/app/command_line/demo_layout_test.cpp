// The demo's settings and scripts, moved to where a layout puts the SDK and
// the toolchain: a Windows folder with blanks in its name among them.

#include <gtest/gtest.h>

#include "app/command_line/demo_command.h"

namespace cuffware {
namespace {

TEST(DemoLayout, SettingsAndScriptsNameTheSdkAndToolchainWhereTheyAre) {
    DemoPlace place{"C:\\Users\\Jane Doe\\Demo", "C:\\Users\\Jane Doe\\Demo",
                    "C:\\Users\\Jane Doe\\Demo\\q740", "C:\\Users\\Jane Doe\\Demo\\c88",
                    "C:\\Users\\Jane Doe\\Demo\\builder.ini"};
    EXPECT_EQ(RelocatedDemoText("BIN=c:\\q740\r\nASSEMBLER=c:\\c88\r\nSTATES=15\r\n", place),
              "BIN=C:\\Users\\Jane Doe\\Demo\\q740\r\nASSEMBLER=C:\\Users\\Jane "
              "Doe\\Demo\\c88\r\nSTATES=15\r\n");
    // Every path of a script, the SDK's name met twice on a line included.
    EXPECT_EQ(
        RelocatedDemoText("c:\\q740\\app\\demo\\h\r\nc:\\c88\r\nc:\\q740\\a c:\\q740\r\n", place),
        "C:\\Users\\Jane Doe\\Demo\\q740\\app\\demo\\h\r\nC:\\Users\\Jane Doe\\Demo\\c88\r\n"
        "C:\\Users\\Jane Doe\\Demo\\q740\\a C:\\Users\\Jane Doe\\Demo\\q740\r\n");
    // A place that keeps the demo's own paths changes nothing.
    DemoPlace wine{"/d", "/d/drive_c", "c:\\q740", "c:\\c88", "/d/builder.ini"};
    EXPECT_EQ(RelocatedDemoText("BIN=c:\\q740\r\n", wine), "BIN=c:\\q740\r\n");

    std::vector<DemoApplication> applications = DemoApplications(place.sdkText);
    ASSERT_EQ(applications.size(), 2u);
    EXPECT_EQ(applications[0].scriptPath,
              "C:\\Users\\Jane Doe\\Demo\\q740\\app\\demo\\build\\demo.scr");
    EXPECT_EQ(applications[1].folder, "overflow");
}

}  // namespace
}  // namespace cuffware
