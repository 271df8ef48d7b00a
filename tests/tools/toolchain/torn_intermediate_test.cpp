// The build writes its intermediates (objects, linked modules, S-records,
// maps) without waiting for the disk, so a power cut may leave one empty or
// cut short. Every reader must refuse such a file, never take what is left.

#include <gtest/gtest.h>

#include "tool_runner.h"
#include "toolchain/object/s_records.h"
#include "toolchain/object/srecord_reader.h"
#include "toolchain/object/symbol_files.h"

namespace cuffware::toolchain {
namespace {

using cuffware::testing::TempDir;
using testing::BuildSection;
using testing::RunTool;
using testing::ToolRun;

// A section of a few lines, a global label, built as build.bat builds it.
void BuildTheSection(const TempDir& dir) {
    testing::WriteOptionFiles(dir);
    dir.Write("t.asm",
              "        DEFSECT \".text\", CODE AT 10000h\r\n        SECT \".text\"\r\n"
              "        GLOBAL  Start\r\nStart:  LD A,#12h\r\n        LD HL,#1234h\r\n"
              "        CARL Start\r\n        DB 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17\r\n"
              "        RET\r\n");
    ToolRun built = BuildSection(dir, "t");
    ASSERT_EQ(built.status, 0) << built.err;
}

// The file as a power cut could leave it: empty, cut in the middle, and
// without its last line.
std::vector<std::string> TornForms(const std::string& whole) {
    size_t lastLine = whole.rfind('\n', whole.size() - 2);
    return {"", whole.substr(0, whole.size() / 2), whole.substr(0, lastLine + 1),
            std::string(whole.size(), '\0')};
}

TEST(TornIntermediate, EachToolRefusesAnInputCutShort) {
    TempDir dir;
    BuildTheSection(dir);
    struct Step {
        std::string input;
        testing::ToolEntry tool;
        std::vector<std::string> args;
    };
    const std::vector<Step> steps = {
        {"t.obj", RunLk88, {"t.obj", "-o", "u.out", "-flkcmd.cmd"}},
        {"t.out", RunLc88, {"t.out", "-o", "u.sre", "-flccmd.cmd"}},
        {"t.map", RunMaplist, {"t.map"}},
        {"t.sre", RunDis88, {"t.sre"}},
    };
    for (const Step& step : steps) {
        const std::string whole = dir.Read(step.input);
        for (const std::string& torn : TornForms(whole)) {
            if (step.tool == RunDis88 && !LooksLikeSRecords(torn))
                continue;  // dis88 takes any other file as an image
            dir.Write(step.input, torn);
            ToolRun run = RunTool(step.tool, step.args, dir.path());
            EXPECT_EQ(run.status, 1) << step.input << " of " << torn.size() << " bytes";
            EXPECT_NE(run.err.find(step.input), std::string::npos) << run.err;
        }
        dir.Write(step.input, whole);
        EXPECT_EQ(RunTool(step.tool, step.args, dir.path()).status, 0) << step.input;
    }
}

TEST(TornIntermediate, TheReadersSayTheFileEndsEarly) {
    TempDir dir;
    BuildTheSection(dir);
    const std::string records = dir.Read("t.sre");
    const std::string map = dir.Read("t.map");
    const std::string withoutEnd = records.substr(0, records.rfind("S8"));
    Result<std::vector<LoadedBytes>> read = ReadSRecords(withoutEnd, "t.sre");
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().message.find("ends early: no end record"), std::string::npos);
    EXPECT_TRUE(ReadSRecords(records, "t.sre").ok());

    dir.Write("t.sre", withoutEnd);
    Result<SRecordData> packaged = ReadSRecordData(DiskFileSystem(), dir / "t.sre");
    ASSERT_FALSE(packaged.ok());
    EXPECT_NE(packaged.error().message.find("ends early"), std::string::npos);
    // Blank lines after the end record are no cut.
    dir.Write("t.sre", records + "\r\n\r\n");
    EXPECT_TRUE(ReadSRecordData(DiskFileSystem(), dir / "t.sre").ok());

    Result<LocateMap> cut = ReadMap(map.substr(0, map.rfind("END")), "t.map");
    ASSERT_FALSE(cut.ok());
    EXPECT_NE(cut.error().message.find("ends early: no END line"), std::string::npos);
    EXPECT_TRUE(ReadMap(map + "\r\n", "t.map").ok());
}

}  // namespace
}  // namespace cuffware::toolchain
