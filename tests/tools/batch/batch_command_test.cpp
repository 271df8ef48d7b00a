#include "batch/batch_command.h"

#include <gtest/gtest.h>

namespace cuffware::batch {
namespace {

using Kind = BatchCommand::Kind;

BatchCommand Parsed(std::string_view line) {
    Result<BatchCommand> command = ParseBatchLine(line);
    EXPECT_TRUE(command.ok()) << line << ": " << command.error().Text();
    return command.ok() ? *command : BatchCommand{};
}

TEST(ParseBatchLine, CommentsBlanksAndEchoSwitchesDoNothing) {
    for (const char* line : {"", "   \t", "@ECHO OFF", "echo on", "REM", "rem ;;;;;;;;",
                             "Rem Build state0 Handler", "  @rem hidden", ":: label comment"})
        EXPECT_EQ(Parsed(line), BatchCommand{}) << line;
    // Only the word REM is a comment.
    EXPECT_EQ(Parsed("remake.exe x").kind, Kind::kProgram);
    EXPECT_EQ(Parsed("ECHO  Building"), (BatchCommand{Kind::kEcho, "Building", {}}));
}

TEST(ParseBatchLine, CdTakesTheRestOfTheLineBlanksAndAll) {
    EXPECT_EQ(Parsed("cd C:\\q740\\app\\My App\\build "),
              (BatchCommand{Kind::kChangeDirectory, "C:\\q740\\app\\My App\\build", {}}));
    EXPECT_EQ(Parsed("CHDIR /d \"d:\\x y\"").text, "d:\\x y");
}

TEST(ParseBatchLine, DelAndCopyTakeNamesAndDropSwitches) {
    EXPECT_EQ(Parsed("del *.sre"), (BatchCommand{Kind::kDelete, "", {"*.sre"}}));
    EXPECT_EQ(Parsed("ERASE /Q *.obj  *.OUT").words, (std::vector<std::string>{"*.obj", "*.OUT"}));
    EXPECT_EQ(Parsed("copy common.equ comminc.h"),
              (BatchCommand{Kind::kCopy, "", {"common.equ", "comminc.h"}}));
    EXPECT_EQ(Parsed("COPY /Y ..\\a.txt").words, (std::vector<std::string>{"..\\a.txt", "."}));

    EXPECT_EQ(ParseBatchLine("del /q").error().Text(), "del: no file pattern given");
    EXPECT_EQ(ParseBatchLine("copy a b c").error().Text(),
              "copy: expected a source and a destination");
}

TEST(ParseBatchLine, AnythingElseIsAProgramWithItsArguments) {
    EXPECT_EQ(Parsed("C:\\c88\\bin\\lk88.exe common.obj -o common.out -flkcmd.cmd"),
              (BatchCommand{
                  Kind::kProgram,
                  "",
                  {"C:\\c88\\bin\\lk88.exe", "common.obj", "-o", "common.out", "-flkcmd.cmd"}}));
    EXPECT_EQ(Parsed("@c:\\q740\\bin\\maplist common.map").words.front(), "c:\\q740\\bin\\maplist");
}

// What the builder writes for a path with blanks, & or %: quotes group and
// are dropped, "%%" is one "%".
TEST(ParseBatchLine, QuotesGroupAndDoubledPercentsAreOne) {
    EXPECT_EQ(
        Parsed("\"c:\\100%% (x)\\bin\\as88.exe\" state0.asm -fascmd.cmd").words,
        (std::vector<std::string>{"c:\\100% (x)\\bin\\as88.exe", "state0.asm", "-fascmd.cmd"}));
    EXPECT_EQ(Parsed("cd \"c:\\a&b|c^d\\build\"").text, "c:\\a&b|c^d\\build");
    EXPECT_EQ(Parsed("del \"my dir\\*.sre\"").words, std::vector<std::string>{"my dir\\*.sre"});
    EXPECT_EQ(Parsed("\"\" \"\""), BatchCommand{});
}

}  // namespace
}  // namespace cuffware::batch
