#include "generate/build_batch.h"

#include <gtest/gtest.h>

#include "support/text_lines.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace cuffware {
namespace {

using testing::Lines;

ProjectRecord Project() {
    ProjectRecord p;
    BuildFileTree(p.Files, 3);
    p.ApplicationName = "Alarm Clock";
    p.BuildDirectory = "c:\\q740\\app\\Alarm\\build";
    p.AssemblerDirectory = " c:\\c88 ";
    return p;
}

ToolSettings Settings() {
    ToolSettings s;
    s.SdkPath = "c:\\q740 ";  // used as stored, trailing blank (and so quotes) and all
    return s;
}

StateNumber State(int n) {
    return *StateNumber::Of(n);
}

const std::string kSep = "rem ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;";

TEST(BuildBatch, TwoStatesInFull) {
    GeneratedFile batch = ComposeBuildBatch(Project(), Settings(), State(1));
    EXPECT_EQ(batch.path, "c:\\q740\\app\\Alarm\\build\\build.bat");
    EXPECT_EQ(batch.content,
              Lines({"@ECHO OFF",
                     "",
                     "REM ********************************************************************",
                     "REM *",
                     "REM * Q740 CUFFWARE BUILDER",
                     "REM * Copyright (c) 2002 Cuffware Builder developers. All rights reserved.",
                     "REM * July 2002",
                     "REM *",
                     "REM * Cuffware: Alarm Clock",
                     "REM *",
                     "REM ********************************************************************",
                     "",
                     kSep,
                     "rem ; Clean up cuffware build directory",
                     kSep,
                     "",
                     "cd c:\\q740\\app\\Alarm\\build",
                     "",
                     "del *.sre",
                     "del *.bin",
                     "del *.lst",
                     "del *.obj",
                     "del *.out",
                     "del *.err",
                     "del *.lnl",
                     "del *.cal",
                     "del *.bak",
                     "del *.ers",
                     "del *.elk",
                     "del *.elc",
                     "",
                     kSep,
                     "rem ; Build Common Section",
                     kSep,
                     "",
                     "c:\\c88\\bin\\as88.exe common.asm -fascmd.cmd",
                     "c:\\c88\\bin\\lk88.exe common.obj -o common.out -flkcmd.cmd",
                     "c:\\c88\\bin\\lc88.exe common.out -o common.sre -flccmd.cmd",
                     "\"c:\\q740 \\bin\\maplist\" common.map",
                     "\"c:\\q740 \\bin\\labelset\" common.sy",
                     "copy common.equ comminc.h",
                     "",
                     kSep,
                     "rem ; Build State Handler Section",
                     kSep,
                     "",
                     "rem Build state0 Handler",
                     "c:\\c88\\bin\\as88.exe state0.asm -fascmd.cmd",
                     "c:\\c88\\bin\\lk88.exe state0.obj -o state0.out -flkcmd.cmd",
                     "c:\\c88\\bin\\lc88.exe state0.out -o state0.sre -flccmd.cmd",
                     "",
                     "",
                     "rem Build state1 Handler",
                     "c:\\c88\\bin\\as88.exe state1.asm -fascmd.cmd",
                     "c:\\c88\\bin\\lk88.exe state1.obj -o state1.out -flkcmd.cmd",
                     "c:\\c88\\bin\\lc88.exe state1.out -o state1.sre -flccmd.cmd",
                     "",
                     "",
                     kSep,
                     "rem ; Build Parameter File",
                     kSep,
                     "",
                     "c:\\c88\\bin\\as88.exe param.asm -fascmd.cmd",
                     "c:\\c88\\bin\\lk88.exe param.obj -o param.out -flkcmd.cmd",
                     "c:\\c88\\bin\\lc88.exe param.out -o param.sre -flccmd.cmd",
                     "",
                     "",
                     kSep,
                     "rem ; Delete temporary files",
                     kSep,
                     "",
                     "del *.out",
                     "del *.sy",
                     "del *.tmp",
                     "del *.lnl",
                     "del *.cal"}));
}

TEST(BuildBatch, HighestStateNumberIs254) {
    EXPECT_FALSE(StateNumber::Of(-1));
    EXPECT_FALSE(StateNumber::Of(255));
    const std::string text = ComposeBuildBatch(Project(), Settings(), State(254)).content;
    EXPECT_NE(text.find("\r\nrem Build state254 Handler\r\n"), std::string::npos);
    EXPECT_EQ(text.find("state255"), std::string::npos);
}

// The command interpreter splits at blanks and acts on & | ^ ( ) < >, and
// a batch file expands "%" even between quotes.
TEST(BuildBatch, PathsTheInterpreterWouldSplitAreQuotedAndPercentDoubled) {
    ProjectRecord p = Project();
    p.BuildDirectory = "c:\\a&b|c^d (e)\\build";
    p.AssemblerDirectory = "c:\\100%\\c88";
    ToolSettings s = Settings();
    s.SdkPath = "c:\\q740";
    const std::string text = ComposeBuildBatch(p, s, State(0)).content;
    EXPECT_NE(text.find("\r\ncd \"c:\\a&b|c^d (e)\\build\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"c:\\100%%\\c88\\bin\\as88.exe\" state0.asm -fascmd.cmd\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nc:\\q740\\bin\\maplist common.map\r\n"), std::string::npos);
}

TEST(CommandScripts, OneOptionLineEach) {
    auto files = ComposeToolOptionFiles(Project());
    EXPECT_EQ(files[0].path, "c:\\q740\\app\\Alarm\\build\\ascmd.cmd");
    EXPECT_EQ(files[0].content,
              "-Ms -gaLHS -OHjN -l -LcdeGlmNpqsWXy -w137 -w118 -w109 -w141 -w112 -t -err -e\r\n");
    EXPECT_EQ(files[1].path, "c:\\q740\\app\\Alarm\\build\\lkcmd.cmd");
    EXPECT_EQ(files[1].content, "-ds1c88349.dsc -M -L -e -N -w8 -err -v\r\n");
    EXPECT_EQ(files[2].path, "c:\\q740\\app\\Alarm\\build\\lccmd.cmd");
    EXPECT_EQ(files[2].content, "-f2b32 -ds1c88349.dsc -M -w8 -e -err\r\n");
}

}  // namespace
}  // namespace cuffware
