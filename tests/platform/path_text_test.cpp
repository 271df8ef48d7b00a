#include "platform/path_text.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(PathText, TakesWindowsAndHostPathsApartAtEitherSeparator) {
    EXPECT_EQ(FileNameOf("c:\\q740\\app\\demo\\build\\demo.scr"), "demo.scr");
    EXPECT_EQ(FileNameOf("/home/u/demo.scr"), "demo.scr");
    EXPECT_EQ(FileNameOf("c:/q740\\mixed/name.asm"), "name.asm");
    EXPECT_EQ(FileNameOf("c:demo.scr"), "demo.scr");
    EXPECT_EQ(FileNameOf("demo.scr"), "demo.scr");
    EXPECT_EQ(FileNameOf("c:\\q740\\"), "");

    EXPECT_EQ(DirectoryOf("c:\\q740\\app\\demo"), "c:\\q740\\app");
    EXPECT_EQ(DirectoryOf("/home/u/demo.scr"), "/home/u");
    EXPECT_EQ(DirectoryOf("demo.scr"), "");
    EXPECT_EQ(DirectoryOf("src\\a.asm"), "src");
    EXPECT_EQ(DirectoryOrCurrent("demo.app"), ".");
    EXPECT_EQ(DirectoryOrCurrent("/tmp/demo.app"), "/tmp");
}

TEST(PathText, KeepsTheRootOfADriveOrOfTheHost) {
    EXPECT_EQ(DirectoryOf("c:\\q740"), "c:\\");
    EXPECT_EQ(DirectoryOf("\\q740"), "\\");
    EXPECT_EQ(DirectoryOf("/usr"), "/");
    EXPECT_EQ(DirectoryOf("c:\\"), "c:\\");

    EXPECT_EQ(DriveOf("C:\\q740"), "C:");
    EXPECT_EQ(DriveOf("c:"), "c:");
    EXPECT_EQ(DriveOf("1:\\x"), "");
    EXPECT_EQ(DriveOf("\\\\server\\share"), "");
    EXPECT_TRUE(IsRooted("c:\\q740"));
    EXPECT_TRUE(IsRooted("/tmp"));
    EXPECT_TRUE(IsRooted("\\tmp"));
    EXPECT_FALSE(IsRooted("c:q740"));
    EXPECT_FALSE(IsRooted("q740\\app"));
    EXPECT_FALSE(IsRooted(""));
}

TEST(PathText, ReplacesTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(WithExtension("c:\\src\\common.asm", ".obj"), "c:\\src\\common.obj");
    EXPECT_EQ(WithExtension("common", ".sre"), "common.sre");
    EXPECT_EQ(WithExtension("c:\\v1.2\\common", ".map"), "c:\\v1.2\\common.map");
    EXPECT_EQ(WithExtension("/tmp/a.b/c.out", ""), "/tmp/a.b/c");
    EXPECT_EQ(WithExtension("c:x.asm", ".lst"), "c:x.lst");
}

TEST(PathText, JoinsWithABackslashAsTheGeneratedFilesDo) {
    EXPECT_EQ(JoinPath("c:\\q740\\app\\demo\\build", "demo.scr"),
              "c:\\q740\\app\\demo\\build\\demo.scr");
    // Never normalised: what the user typed stays.
    EXPECT_EQ(JoinPath("c:\\q740\\", "include"), "c:\\q740\\\\include");
    EXPECT_EQ(JoinPath("", "a.asm"), "\\a.asm");
}

}  // namespace
}  // namespace cuffware
