#include "app/command_line/shell_quoting.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(ShellQuoting, APosixShellGetsSingleQuotesWhereAWordNeedsThem) {
    EXPECT_EQ(QuotedWord("--settings", Shell::kPosix), "--settings");
    EXPECT_EQ(QuotedWord("/home/u/drive/builder.ini", Shell::kPosix), "/home/u/drive/builder.ini");
    // Backslashes, blanks, a glob and a leading tilde would all change.
    EXPECT_EQ(QuotedWord("c:\\q740\\app\\a\\build\\a.scr", Shell::kPosix),
              "'c:\\q740\\app\\a\\build\\a.scr'");
    EXPECT_EQ(QuotedWord("/home/Jane Doe/x", Shell::kPosix), "'/home/Jane Doe/x'");
    EXPECT_EQ(QuotedWord("*.scr", Shell::kPosix), "'*.scr'");
    EXPECT_EQ(QuotedWord("~/x", Shell::kPosix), "'~/x'");
    EXPECT_EQ(QuotedWord("Jane's", Shell::kPosix), "'Jane'\\''s'");
    EXPECT_EQ(QuotedWord("$HOME `x` \"y\"", Shell::kPosix), "'$HOME `x` \"y\"'");
    EXPECT_EQ(QuotedWord("", Shell::kPosix), "''");
}

TEST(ShellQuoting, CmdGetsDoubleQuotesAndCaretsOnlyWhereQuotesCannotHold) {
    EXPECT_EQ(QuotedWord("c:\\q740\\app\\a\\build\\a.scr", Shell::kCmd),
              "c:\\q740\\app\\a\\build\\a.scr");
    EXPECT_EQ(QuotedWord("C:\\Users\\Jane Doe\\builder.ini", Shell::kCmd),
              "\"C:\\Users\\Jane Doe\\builder.ini\"");
    // Between quotes cmd.exe leaves & ( ) ^ alone; a program reads a
    // backslash before the closing quote as escaping it, so it is doubled.
    EXPECT_EQ(QuotedWord("C:\\Program Files (x86)\\A&B^\\", Shell::kCmd),
              "\"C:\\Program Files (x86)\\A&B^\\\\\"");
    EXPECT_EQ(QuotedWord("Jane's", Shell::kCmd), "\"Jane's\"");
    // A percent sign or a quote: carets before everything cmd.exe acts on.
    EXPECT_EQ(QuotedWord("100% sure", Shell::kCmd), "^\"100^% sure^\"");
    EXPECT_EQ(QuotedWord("say \"hi\\\" & go", Shell::kCmd), "^\"say \\^\"hi\\\\\\^\" ^& go^\"");
    EXPECT_EQ(QuotedWord("", Shell::kCmd), "\"\"");
}

TEST(ShellQuoting, ACommandLineQuotesEachWord) {
    std::vector<std::string> words = {"cuffware", "--settings", "C:\\Users\\Jane Doe\\b.ini", "all",
                                      "c:\\q740\\a.scr"};
    EXPECT_EQ(CommandLine(words, Shell::kCmd),
              "cuffware --settings \"C:\\Users\\Jane Doe\\b.ini\" all c:\\q740\\a.scr");
    EXPECT_EQ(CommandLine(words, Shell::kPosix),
              "cuffware --settings 'C:\\Users\\Jane Doe\\b.ini' all 'c:\\q740\\a.scr'");
}

}  // namespace
}  // namespace cuffware
