#include "generate/section_sources.h"

#include <gtest/gtest.h>

#include "support/text_lines.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "generate/builder_banner.h"
#include "generate/include_lists.h"
#include "generate/sdk_headers.h"

namespace cuffware {
namespace {

using testing::Lines;

// The SDK block: an empty line, one INCLUDE per header, an empty line.
std::string SdkBlock(const std::string& includeDirectory) {
    std::string text = "\r\n";
    for (std::string_view name : SdkHeaderNames())
        text += "    INCLUDE '" + includeDirectory + "\\" + std::string(name) + "'\r\n";
    return text + "\r\n";
}

ProjectRecord AlarmProject() {
    ProjectRecord p;
    BuildFileTree(p.Files, 2);
    p.ApplicationName = "Alarm Clock";
    p.FolderName = "Alarm";
    p.BuildDirectory = "c:\\q740\\app\\Alarm\\build";
    p.IncludeDirectory = "c:\\q740\\include";
    p.AssemblerDirectory = "c:\\c88";
    AddFileToCategory(p.Files, kParameterNode, "c:\\src\\param.asm");
    AddFileToCategory(p.Files, kHeaderNode, "c:\\src\\alarm.h");
    AddFileToCategory(p.Files, kHeaderNode, "c:\\src\\keys.h");
    AddFileToCategory(p.Files, kBackgroundNode, "c:\\src\\bg.asm");
    AddFileToCategory(p.Files, kCommonNode, "c:\\src\\util.asm");
    AddFileToCategory(p.Files, StateNode(0), "c:\\src\\main.asm");
    AddFileToCategory(p.Files, StateNode(2), "c:\\src\\ring.asm");
    AddFileToCategory(p.Files, StateNode(2), "c:\\src\\snooze.asm");
    return p;
}

const std::string kBanner =
    Lines({"", "; ********************************************************************", "; *",
           "; * Q740 CUFFWARE BUILDER",
           "; * Copyright (c) 2002 Cuffware Builder developers. All rights reserved.",
           "; * July 2002", "; *", "; * Cuffware: Alarm Clock", "; *",
           "; ********************************************************************", ""});

const std::string kRuleA = "    ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;";
const std::string kRuleB = "     ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;";

// The application header block shared by every section source.
const std::string kHeaders =
    Lines({"", kRuleA, "    ; WRIST APPLICATION SPECIFIC HEADER FILE", kRuleA, "",
           "    INCLUDE 'c:\\src\\alarm.h'", "    INCLUDE 'c:\\src\\keys.h'", "", kRuleA, kRuleA,
           "", "", "$LIST ON", ""});

TEST(SectionSources, CommonSourceInFull) {
    GeneratedFile common = ComposeCommonSource(AlarmProject());
    EXPECT_EQ(common.path, "c:\\q740\\app\\Alarm\\build\\common.asm");
    EXPECT_EQ(
        common.content,
        Lines({";**FILE COMMON.ASM"}) + kBanner +
            Lines({"", "$CASE ON", "$LIST OFF", "    INCLUDE 'c:\\q740\\include\\Q740INC.H'"}) +
            SdkBlock("c:\\q740\\include") + kHeaders +
            Lines({"        DEFSECT \".text\", CODE AT COREHEAPEEPROMOVERLAYADDRESS",
                   "        SECT    \".text\" ",
                   "",
                   "        GLOBAL      CODECOMMONADDRESS",
                   "CODECOMMONADDRESS:",
                   "",
                   kRuleB,
                   "     ;",
                   "     ; CUFFWARE SOURCE FILES TO BE IN THE COMMON SECTION",
                   "     ; * Always have the Background Handler routine to be the first file",
                   "     ;",
                   kRuleB,
                   "",
                   "    INCLUDE 'c:\\src\\bg.asm'",
                   "    INCLUDE 'c:\\src\\util.asm'",
                   "",
                   kRuleA,
                   kRuleA,
                   "",
                   "        GLOBAL      CommonCodeEnd",
                   "CommonCodeEnd:",
                   "",
                   "        GLOBAL      CommonCodeSize",
                   "CommonCodeSize      equ     (CommonCodeEnd - CODECOMMONADDRESS)",
                   "",
                   ";**END FILE COMMON.ASM"}));
}

// The frame of the state and parameter sources around their own lines.
std::string StateFrame(std::string_view upperName, std::string_view comment,
                       std::initializer_list<std::string_view> includes) {
    std::string text =
        Lines({";**FILE " + std::string(upperName)}) + kBanner +
        Lines({"", "$CASE ON", "$LIST OFF", "    INCLUDE 'c:\\q740\\include\\Q740INC.H'",
               "    INCLUDE 'c:\\q740\\app\\Alarm\\build\\COMMINC.H'", ""}) +
        SdkBlock("c:\\q740\\include") + kHeaders +
        Lines({"CODESTATEADDRESS     equ     CommonCodeEnd", "",
               "        DEFSECT \".text\", CODE AT CODESTATEADDRESS", "        SECT    \".text\"",
               "", kRuleB, "     ;", comment, "     ;", kRuleB, ""});
    text += Lines(includes);
    return text + Lines({"", kRuleB, kRuleB, "", ";**END FILE " + std::string(upperName)});
}

TEST(SectionSources, StateSourceInFull) {
    GeneratedFile state = ComposeStateSource(AlarmProject(), StateNode(2));
    EXPECT_EQ(state.path, "c:\\q740\\app\\Alarm\\build\\state2.asm");
    EXPECT_EQ(state.content,
              StateFrame("STATE2.ASM", "     ; ADD CUFFWARE SOURCE FILE TO BE IN THE STATE CODE",
                         {"    INCLUDE 'c:\\src\\ring.asm'", "    INCLUDE 'c:\\src\\snooze.asm'"}));
}

TEST(SectionSources, ParameterSourceInFull) {
    GeneratedFile param = ComposeParameterSource(AlarmProject());
    EXPECT_EQ(param.path, "c:\\q740\\app\\Alarm\\build\\param.asm");
    EXPECT_EQ(param.content, StateFrame("PARAM.ASM", "     ; ADD CUFFWARE PARAMETER FILE",
                                        {"    INCLUDE 'c:\\src\\param.asm'"}));
}

TEST(SectionSources, EmptyCommonCategoryLeavesTheFrame) {
    ProjectRecord p = AlarmProject();
    RemoveFileNode(p.Files, p.Files.FirstChild(kCommonNode));
    EXPECT_NE(ComposeCommonSource(p).content.find(
                  Lines({kRuleB, "", "    INCLUDE 'c:\\src\\bg.asm'", "", kRuleA, kRuleA})),
              std::string::npos);
}

TEST(SectionSources, StateTwelveNamesItsFileInBothCases) {
    ProjectRecord p = AlarmProject();
    BuildFileTree(p.Files, 12);
    AddFileToCategory(p.Files, StateNode(12), "twelve.asm");
    GeneratedFile state = ComposeStateSource(p, StateNode(12));
    EXPECT_EQ(state.path, "c:\\q740\\app\\Alarm\\build\\state12.asm");
    EXPECT_TRUE(state.content.starts_with(";**FILE STATE12.ASM\r\n"));
    EXPECT_TRUE(state.content.ends_with("\r\n;**END FILE STATE12.ASM\r\n"));
    EXPECT_NE(state.content.find("\r\n    INCLUDE 'twelve.asm'\r\n"), std::string::npos);
}

TEST(SectionSources, BlanksAroundNamesAndDirectoriesAreDropped) {
    ProjectRecord p = AlarmProject();
    p.ApplicationName = "  Alarm  Clock ";
    p.BuildDirectory = " c:\\my build ";
    p.IncludeDirectory = "  c:\\q740\\include\\ ";  // ends in a backslash
    AddFileToCategory(p.Files, kHeaderNode, "  c:\\my src\\it's.h  ");
    GeneratedFile state = ComposeStateSource(p, StateNode(0));
    EXPECT_EQ(state.path, "c:\\my build\\state0.asm");
    const std::string& text = state.content;
    EXPECT_NE(text.find("\r\n; * Cuffware: Alarm  Clock\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n    INCLUDE 'c:\\q740\\include\\\\Q740INC.H'\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n    INCLUDE 'c:\\my build\\COMMINC.H'\r\n"), std::string::npos);
    EXPECT_NE(text.find(SdkBlock("c:\\q740\\include\\")), std::string::npos);
    EXPECT_NE(text.find("\r\n    INCLUDE 'c:\\my src\\it's.h'\r\n"), std::string::npos);
}

TEST(Banner, EmptyNameKeepsTheLabelAndItsBlank) {
    ProjectRecord p;
    TextFile banner;
    AppendAssemblerBanner(banner, p);
    EXPECT_NE(banner.Text().find("\r\n; * Cuffware: \r\n"), std::string::npos);
}

TEST(IncludeLists, EmptyDirectoryKeepsTheBackslash) {
    ProjectRecord p = AlarmProject();
    p.IncludeDirectory = "";
    TextFile sdk;
    AppendSdkIncludes(sdk, p);
    EXPECT_NE(sdk.Text().find("\r\n    INCLUDE '\\" + std::string(SdkHeaderNames()[0]) + "'\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace cuffware
