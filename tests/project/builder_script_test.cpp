#include "project/builder_script.h"

#include <gtest/gtest.h>

#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::TempDir;

ToolSettings Settings(int states) {
    ToolSettings s = DefaultToolSettings();
    s.NumberOfStates = static_cast<int16_t>(states);
    return s;
}

ProjectRecord SampleProject(int states) {
    ProjectRecord p = StartupProject(Settings(states));
    p.ApplicationName = "Alarm Clock";
    SetFolderName(p, "Alarm", Settings(states));
    p.Description = "Two daily alarms, \"loud\"";
    p.BannerLine1 = "ALARM";
    p.BannerLine2 = "CLOCK";
    p.PasswordSupport = 1;
    p.PCInterface = "alarm.exe";
    return p;
}

TEST(BuilderScript, LinesFollowTheRecordOrder) {
    ProjectRecord p = SampleProject(1);
    AddFileToCategory(p.Files, kParameterNode, "c:\\src\\param.asm");
    AddFileToCategory(p.Files, StateNode(0), "c:\\src\\a.asm");
    AddFileToCategory(p.Files, StateNode(0), "c:\\src\\b.asm");
    EXPECT_EQ(BuilderScriptText(p),
              "Alarm Clock\r\nAlarm\r\nTwo daily alarms, \"loud\"\r\nALARM\r\nCLOCK\r\n740018\r\n"
              "1\r\n0\r\nalarm.exe\r\n"
              "c:\\q740\\app\\Alarm\\h\r\nc:\\q740\\app\\Alarm\\src\r\n"
              "c:\\q740\\app\\Alarm\\build\r\nc:\\q740\\include\r\nc:\\c88\r\n"
              "6\r\n1\r\nc:\\src\\param.asm\r\n0\r\n0\r\n0\r\n2\r\nc:\\src\\a.asm\r\n"
              "c:\\src\\b.asm\r\n0\r\n");
}

TEST(BuilderScript, DefaultStatesGiveTwentyBlocks) {
    std::string text = BuilderScriptText(SampleProject(15));
    std::vector<std::string_view> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 15u + 20u);
    EXPECT_EQ(lines[14], "20");
}

TEST(BuilderScript, SaveThenRestoreGivesTheSameProject) {
    TempDir dir;
    ProjectRecord p = SampleProject(15);
    p.BuildDirectory = dir.path();
    p.ApplicationName = "  padded name  ";
    for (int node = kParameterNode; node <= StateNode(15); ++node) {
        AddFileToCategory(p.Files, node, "file" + std::to_string(node) + "a.asm");
        AddFileToCategory(p.Files, node, "\"quoted\", with comma " + std::to_string(node));
    }
    ASSERT_TRUE(SaveBuilderScript(DiskFileSystem(), p).ok());
    Result<ProjectRecord> back =
        RestoreBuilderScript(DiskFileSystem(), dir / "Alarm.scr", Settings(15));
    ASSERT_TRUE(back.ok()) << back.error().Text();
    EXPECT_EQ(back->ApplicationName, "padded name");  // written as held, read back trimmed
    EXPECT_EQ(back->Description, p.Description);
    EXPECT_EQ(back->BuildDirectory, dir.path());
    EXPECT_EQ(back->PasswordSupport, 1);
    EXPECT_EQ(back->PCInterface, "alarm.exe");
    for (int node = kParameterNode; node <= StateNode(15); ++node)
        EXPECT_EQ(back->Files.Files(node), p.Files.Files(node)) << "category node " << node;
    int file = back->Files.FirstChild(StateNode(15));
    EXPECT_TRUE(back->Files.Find(file)->bold);
    EXPECT_TRUE(back->Files.Find(StateNode(15))->checked);
}

// A script saved with LF or CR alone reads as the one saved with CR LF, line
// numbers included.
TEST(BuilderScript, LfAndCrAloneEndLinesAsCrLfDoes) {
    ProjectRecord p = SampleProject(2);
    const std::string crLf = BuilderScriptText(p);
    std::string lf, cr;
    for (char c : crLf) {
        if (c != '\r')
            lf += c;
        if (c != '\n')
            cr += c;
    }
    for (const std::string& text : {lf, cr}) {
        Result<ProjectRecord> back = ParseBuilderScript(text, "x.scr", Settings(2));
        ASSERT_TRUE(back.ok()) << back.error().Text();
        EXPECT_EQ(BuilderScriptText(*back), crLf);
    }
    Result<ProjectRecord> early = ParseBuilderScript("App\rdemo\r", "x.scr", Settings(2));
    EXPECT_EQ(early.error().Text(),
              "x.scr, line 3: the script ends early: the description expected");
}

TEST(BuilderScript, StoredDirectoriesWinAndABlankFolderLeavesDetailsLocked) {
    std::string script =
        "App\r\n   \r\n\r\n\r\n\r\n18\r\n0\r\n1\r\n\r\nh\r\ns\r\nb\r\ni\r\na\r\n0\r\n";
    Result<ProjectRecord> p = ParseBuilderScript(script, "x.scr", Settings(2));
    ASSERT_TRUE(p.ok()) << p.error().Text();
    EXPECT_EQ(p->BuildDirectory, "b");
    EXPECT_EQ(p->VersionRequired, "18");
    EXPECT_EQ(p->DatabaseSupport, 1);
    EXPECT_FALSE(p->DetailsEditable);
    EXPECT_EQ(p->Files.CategoryCount(), 7);  // a smaller count leaves the rest empty

    std::string named =
        "App\r\n demo \r\n\r\n\r\n\r\n18\r\n0\r\n0\r\n\r\nh\r\ns\r\nb\r\ni\r\na\r\n0";
    Result<ProjectRecord> q = ParseBuilderScript(named, "x.scr", Settings(2));
    ASSERT_TRUE(q.ok());  // a last line without CR LF is still read
    EXPECT_EQ(q->FolderName, "demo");
    EXPECT_EQ(q->HeaderDirectory, "h");
    EXPECT_TRUE(q->DetailsEditable);
}

std::string FourteenFields(const std::string& flags = "0\r\n0\r\n") {
    return "App\r\ndemo\r\nd\r\nb1\r\nb2\r\n740018\r\n" + flags + "pc\r\nh\r\ns\r\nb\r\ni\r\na\r\n";
}

struct BadScript {
    std::string name;
    std::string text;
    int line;
    std::string fragment;
};

// Names the case in the test's listing instead of its bytes.
void PrintTo(const BadScript& bad, std::ostream* os) {
    *os << bad.name;
}

class BadScripts : public ::testing::TestWithParam<BadScript> {};

TEST_P(BadScripts, AreRefusedWithTheirLine) {
    const BadScript& bad = GetParam();
    Result<ProjectRecord> p = ParseBuilderScript(bad.text, "c:\\demo.scr", Settings(1));
    ASSERT_FALSE(p.ok());
    EXPECT_EQ(p.error().path, "c:\\demo.scr");
    EXPECT_EQ(p.error().line, bad.line);
    EXPECT_NE(p.error().message.find(bad.fragment), std::string::npos) << p.error().message;
}

INSTANTIATE_TEST_SUITE_P(
    Script, BadScripts,
    ::testing::Values(
        BadScript{"Empty", "", 1, "the application name expected"},
        BadScript{"EndsInTheFields", "App\r\ndemo\r\n", 3, "the description expected"},
        BadScript{"EndsBeforeTheCount", FourteenFields(), 15, "the category count"},
        BadScript{"EndsBeforeABlock", FourteenFields() + "6\r\n0\r\n", 17,
                  "file count of \"Header File\""},
        BadScript{"EndsInAFileList", FourteenFields() + "6\r\n2\r\nx.asm\r\n", 18,
                  "a file of \"Parameter File\""},
        BadScript{"CountAboveTheTree", FourteenFields() + "300\r\n", 15, "from 0 to 6"},
        BadScript{"NegativeCount", FourteenFields() + "6\r\n-1\r\n", 16, "not \"-1\""},
        BadScript{"CountNotANumber", FourteenFields() + "six\r\n", 15, "not \"six\""},
        BadScript{"HugeCount", FourteenFields() + "6\r\n99999999999\r\n", 16, "whole number"},
        BadScript{"FlagTwo", FourteenFields("2\r\n0\r\n"), 7, "password support flag"},
        BadScript{"EscapeInAFlag", FourteenFields("\x1B[2J\r\n0\r\n"), 7, "not \"\\x1B[2J\""},
        BadScript{
            "NulInTheBuildDirectory",
            "App\r\ndemo\r\nd\r\nb1\r\nb2\r\n740018\r\n0\r\n0\r\npc\r\nh\r\ns\r\n" +
                std::string("c:\\src\\demo.h\0\\build\r\n", 22),
            12, "the build directory must not hold control bytes: \"c:\\src\\demo.h\\x00\\build\""},
        BadScript{"EscapeInTheFolderName", "App\r\nde\x1Bmo\r\n", 2,
                  "the folder name must not hold control bytes: \"de\\x1Bmo\""},
        BadScript{"TabInAFile", FourteenFields() + "6\r\n1\r\na\t.asm\r\n", 17,
                  "a file of \"Parameter File\" must not hold control bytes: \"a\\x09.asm\""},
        BadScript{"DeviceAsAFile", FourteenFields() + "6\r\n1\r\nc:\\src\\Aux.asm\r\n", 17,
                  "a file of \"Parameter File\" \"c:\\src\\Aux.asm\" names the Windows device AUX"},
        BadScript{"DeviceAsTheFolderName", "App\r\nCOM4 .x\r\n", 2,
                  "the folder name \"COM4 .x\" names the Windows device COM4"},
        BadScript{"NetworkPathAsTheIncludeDirectory",
                  "App\r\ndemo\r\nd\r\nb1\r\nb2\r\n740018\r\n0\r\n0\r\npc\r\nh\r\ns\r\nb\r\n"
                  "\\\\nas\\include\r\n",
                  13,
                  "the include directory \"\\\\nas\\include\" is a network path, which the builder "
                  "does not map"},
        // Each 1000-byte header path is listed in 4 section sources here, 4064
        // bytes with its INCLUDE frame: file 16514 crosses 64 MiB.
        BadScript{"TooManyHeaderFiles",
                  FourteenFields() + "6\r\n0\r\n20000\r\n" +
                      [] {
                          std::string files;
                          for (int i = 0; i < 20000; ++i)
                              files += std::string(1000, 'h') + "\r\n";
                          return files;
                      }(),
                  16531, "more than 67108864 bytes of INCLUDE lines"}),
    [](const ::testing::TestParamInfo<BadScript>& info) { return info.param.name; });

TEST(BuilderScript, NonAsciiBytesTravelUnchanged) {
    ProjectRecord p = SampleProject(0);
    p.Description = "R\xE9veil \xFF";
    Result<ProjectRecord> back = ParseBuilderScript(BuilderScriptText(p), "x.scr", Settings(0));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->Description, "R\xE9veil \xFF");
}

TEST(BuilderScript, RestoreOfAMissingFileNamesIt) {
    TempDir dir;
    Result<ProjectRecord> p = RestoreBuilderScript(DiskFileSystem(), dir / "none.scr", Settings(1));
    ASSERT_FALSE(p.ok());
    EXPECT_EQ(p.error().path, dir / "none.scr");
}

}  // namespace
}  // namespace cuffware
