#include "project/path_field.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(PathField, WindowsDevicesAreFoundInAnyCaseWithAnyExtensionOrTrailingSpacesAndDots) {
    for (const char* path :
         {"CON", "con", "Con.txt", "c:\\q740\\app\\aux\\src", "nul.", "NUL...", "prn  ", "com1",
          "COM9.asm", "lpt1", "Lpt9.H", "c:\\src\\con .asm", "build/AUX.tar.gz", "CON  .."})
        EXPECT_TRUE(DeviceNameIn(path).has_value()) << path;
    EXPECT_EQ(DeviceNameIn("c:\\q740\\app\\lpt3.x\\build"), "LPT3");
    for (const char* path : {"console", "com0", "com10", "lpt", "xcon", "c:\\cons\\..x", "auxx.h",
                             "c:\\q740", "nul_", "a.con", "c:"})
        EXPECT_FALSE(DeviceNameIn(path).has_value()) << path;
}

TEST(PathField, RefusesControlBytesNetworkPathsAndDevicesNamingTheField) {
    EXPECT_TRUE(CheckPathField("c:\\q740\\app\\demo\\build", "the build directory").ok());
    EXPECT_TRUE(CheckPathField("..\\..\\build", "the build directory").ok());
    EXPECT_TRUE(CheckPathField("/home/me/sdk", "the SDK directory").ok());
    EXPECT_EQ(CheckPathField("\\\\server\\share\\bd", "the build directory").error().message,
              "the build directory \"\\\\server\\share\\bd\" is a network path, which the "
              "builder does not map");
    for (const char* network : {"//server/share", "\\/server", "/\\server"})
        EXPECT_FALSE(CheckPathField(network, "x").ok()) << network;
    EXPECT_EQ(CheckPathField("c:\\src\\Con.asm", "a file of \"State 0\"").error().message,
              "a file of \"State 0\" \"c:\\src\\Con.asm\" names the Windows device CON");
    EXPECT_EQ(CheckPathField("a\x1b"
                             "b",
                             "the folder name")
                  .error()
                  .message,
              "the folder name must not hold control bytes: \"a\\x1Bb\"");
}

}  // namespace
}  // namespace cuffware
