// Builds the demo application with the stand-ins from section sources in the
// shape the builder writes them, against the demo SDK.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "generate/sdk_headers.h"
#include "tool_runner.h"

namespace cuffware::toolchain {
namespace {

using cuffware::testing::TempDir;
using testing::BuildSection;
using testing::RunTool;
using testing::SourceDir;

using Lines = std::vector<std::string>;

std::string Text(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void Append(Lines& to, const Lines& more) {
    to.insert(to.end(), more.begin(), more.end());
}

const std::string kRuleA = "    " + std::string(59, ';');
const std::string kRuleB = "     " + std::string(59, ';');

Lines Banner() {
    std::string stars = "; " + std::string(68, '*');
    return {"",
            stars,
            "; *",
            "; * Q740 CUFFWARE BUILDER",
            "; * Demo rights notice",
            "; * July 2002",
            "; *",
            "; * Cuffware: Demo",
            "; *",
            stars,
            ""};
}

Lines Includes(const Lines& paths) {
    Lines lines;
    for (const std::string& path : paths)
        lines.push_back("    INCLUDE '" + path + "'");
    return lines;
}

// The frame both kinds of source share up to the header files' rules.
Lines Opening(const std::string& first, const std::string& includeDir, const std::string& buildDir,
              const Lines& headers) {
    Lines lines = {first};
    Append(lines, Banner());
    Append(lines, {"", "$CASE ON", "$LIST OFF", "    INCLUDE '" + includeDir + "\\Q740INC.H'"});
    if (!buildDir.empty())
        Append(lines, {"    INCLUDE '" + buildDir + "\\COMMINC.H'", ""});
    lines.push_back("");
    for (std::string_view name : SdkHeaderNames())
        lines.push_back("    INCLUDE '" + includeDir + "\\" + std::string(name) + "'");
    Append(lines, {"", "", kRuleA, "    ; WRIST APPLICATION SPECIFIC HEADER FILE", kRuleA, ""});
    Append(lines, Includes(headers));
    Append(lines, {"", kRuleA, kRuleA, "", "", "$LIST ON", ""});
    return lines;
}

std::string CommonSource(const std::string& includeDir, const Lines& headers,
                         const Lines& background, const Lines& common) {
    Lines lines = Opening(";**FILE COMMON.ASM", includeDir, "", headers);
    Append(lines, {"        DEFSECT \".text\", CODE AT COREHEAPEEPROMOVERLAYADDRESS",
                   "        SECT    \".text\" ", "", "        GLOBAL      CODECOMMONADDRESS",
                   "CODECOMMONADDRESS:", "", kRuleB, "     ;",
                   "     ; CUFFWARE SOURCE FILES TO BE IN THE COMMON SECTION",
                   "     ; * Always have the Background Handler routine to be the first file",
                   "     ;", kRuleB, ""});
    Append(lines, Includes(background));
    Append(lines, Includes(common));
    Append(lines, {"", kRuleA, kRuleA, "", "        GLOBAL      CommonCodeEnd",
                   "CommonCodeEnd:", "", "        GLOBAL      CommonCodeSize",
                   "CommonCodeSize      equ     (CommonCodeEnd - CODECOMMONADDRESS)", "",
                   ";**END FILE COMMON.ASM"});
    return Text(lines);
}

// A state source (name "STATE0") or the parameter source (name "PARAM").
std::string SectionSource(const std::string& name, const std::string& includeDir,
                          const std::string& buildDir, const Lines& headers, const Lines& files) {
    Lines lines = Opening(";**FILE " + name + ".ASM", includeDir, buildDir, headers);
    std::string what = name == "PARAM" ? "     ; ADD CUFFWARE PARAMETER FILE"
                                       : "     ; ADD CUFFWARE SOURCE FILE TO BE IN THE STATE CODE";
    Append(lines, {"CODESTATEADDRESS     equ     CommonCodeEnd", "",
                   "        DEFSECT \".text\", CODE AT CODESTATEADDRESS",
                   "        SECT    \".text\"", "", kRuleB, "     ;", what, "     ;", kRuleB, ""});
    Append(lines, Includes(files));
    Append(lines, {"", kRuleB, kRuleB, "", ";**END FILE " + name + ".ASM"});
    return Text(lines);
}

struct SectionSizes {
    size_t common = 0;
    size_t largestState = 0;
    size_t parameter = 0;
};

// Runs the build as build.bat does; every step must succeed.
// Builds the demo; stateTwo is the source of state 2 (the overflowing
// variant has its own).
SectionSizes BuildDemo(const TempDir& build, const std::string& stateTwo) {
    std::string sourceDir = SourceDir() + "/demo/app/src";
    std::string includeDir = SourceDir() + "/demo/sdk/include";
    Lines headers = {sourceDir + "/demo.h"};
    testing::WriteOptionFiles(build);
    build.Write("common.asm", CommonSource(includeDir, headers, {sourceDir + "\\backgrnd.asm"},
                                           {sourceDir + "\\util.asm"}));
    const std::string states[] = {sourceDir + "\\clock.asm", sourceDir + "\\settime.asm", stateTwo};
    for (int n = 0; n < 3; ++n) {
        build.Write("state" + std::to_string(n) + ".asm",
                    SectionSource("STATE" + std::to_string(n), includeDir, build.path(), headers,
                                  {states[n]}));
    }
    build.Write("param.asm", SectionSource("PARAM", includeDir, build.path(), headers,
                                           {sourceDir + "\\demopar.asm"}));

    SectionSizes sizes;
    auto size = [&](const std::string& name) {
        Result<ObjectModule> module =
            ParseModule(build.Read(name + ".out"), ModuleStage::kLinked, name + ".out");
        EXPECT_TRUE(module.ok());
        return module ? module->bytes.size() : 0;
    };
    testing::ToolRun run = BuildSection(build, "common");
    EXPECT_EQ(run.status, 0) << run.err;
    sizes.common = size("common");
    EXPECT_EQ(RunTool(RunMaplist, {"common.map"}, build.path()).status, 0);
    EXPECT_EQ(RunTool(RunLabelset, {"common.sy"}, build.path()).status, 0);
    std::filesystem::copy_file(build / "common.equ", build / "comminc.h");
    for (std::string section : {"state0", "state1", "state2", "param"}) {
        run = BuildSection(build, section);
        EXPECT_EQ(run.status, 0) << section << ": " << run.err;
        EXPECT_TRUE(build.Exists(section + ".sre")) << section;
        if (section == "param")
            sizes.parameter = size(section);
        else
            sizes.largestState = std::max(sizes.largestState, size(section));
    }
    return sizes;
}

TEST(DemoSdk, HoldsExactlyTheMasterHeaderAndTheSdkHeaders) {
    std::set<std::string> expected = {"Q740INC.H"};
    for (std::string_view name : SdkHeaderNames())
        expected.insert(std::string(name));
    std::set<std::string> present;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() + "/demo/sdk/include"))
        present.insert(entry.path().filename().string());
    EXPECT_EQ(present, expected);
}

TEST(DemoBuild, FitsTheOverlayWithAMarginAndStatesStartAtCommonCodeEnd) {
    TempDir build;
    SectionSizes sizes = BuildDemo(build, SourceDir() + "/demo/app/src/stopwtch.asm");
    EXPECT_GE(sizes.common + sizes.largestState, 400u);
    EXPECT_LE(sizes.common + sizes.largestState, 600u);
    EXPECT_GT(sizes.parameter, 0u);
    EXPECT_LE(sizes.parameter, 31u);

    std::string stateRecords = build.Read("state0.sre");
    std::string commonEnd = Hex(0x10000 + static_cast<long long>(sizes.common), 6);
    EXPECT_EQ(stateRecords.find("S224" + commonEnd), stateRecords.find("\r\n") + 2)
        << "the first S2 record of state 0 lies at CommonCodeEnd";
    EXPECT_NE(build.Read("comminc.h").find("CommonCodeEnd equ 0x" + commonEnd), std::string::npos);
}

TEST(DemoBuild, OverflowVariantExceedsTheOverlay) {
    TempDir build;
    SectionSizes sizes = BuildDemo(build, SourceDir() + "/demo/overflow/src/stopwtch.asm");
    EXPECT_GT(sizes.common + sizes.largestState, 900u);
}

}  // namespace
}  // namespace cuffware::toolchain
