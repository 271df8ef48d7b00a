#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "tool_runner.h"

namespace cuffware::toolchain {
namespace {

using cuffware::testing::TempDir;
using testing::RunTool;
using testing::ToolRun;

// The section frame every test source sits in.
std::string InSection(const std::string& body) {
    return "        DEFSECT \".text\", CODE AT 0x10000\r\n"
           "        SECT    \".text\"\r\n" +
           body;
}

struct Assembled {
    ToolRun run;
    std::optional<ObjectModule> module;
};

Assembled Assemble(const TempDir& dir, const std::string& source) {
    dir.Write("t.asm", source);
    Assembled result{RunTool(RunAs88, {"t.asm"}, dir.path()), std::nullopt};
    if (dir.Exists("t.obj")) {
        Result<ObjectModule> module = ParseModule(dir.Read("t.obj"), ModuleStage::kObject, "t.obj");
        if (module)
            result.module = *module;
    }
    return result;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

TEST(As88, DataDirectivesGiveTheirRealBytes) {
    TempDir dir;
    Assembled out = Assemble(dir, InSection("  DB 1, 0FFh, 'Ab''c', -1 ; a comment, 'quoted'\n"
                                            "  DW 0x1234, 65535\n"
                                            "  DS 3\n"
                                            "  DB \t0x7F\t\n"));
    ASSERT_EQ(out.run.status, 0) << out.run.err;
    EXPECT_EQ(out.module->bytes,
              Bytes({1, 0xFF, 'A', 'b', '\'', 'c', 0xFF, 0x34, 0x12, 0xFF, 0xFF, 0, 0, 0, 0x7F}));
    EXPECT_EQ(out.module->address, 0x10000);
    EXPECT_EQ(out.run.out,
              "as88: t.asm -> t.obj: section .text at 0x010000, 15 bytes, 0 global symbols\n");
}

TEST(As88, InstructionsGivePlaceholdersOfTheTableSizeAndLabelsTheirAddresses) {
    TempDir dir;
    Assembled out = Assemble(dir, InSection("        GLOBAL  Second, Third\n"
                                            "First:  NOP\n"
                                            "Second:\n"
                                            "        LD      A,[HL]\n"
                                            "        CARL    Third\n"
                                            "Third:  ret\n"
                                            "        JRS     NZ,First\n"));
    ASSERT_EQ(out.run.status, 0) << out.run.err;
    EXPECT_EQ(out.module->bytes, Bytes({0xFF, 0x40, 0xCE, 0xF2, 0xCE, 0xCE, 0xF8, 0xE4, 0xCE}));
    ASSERT_EQ(out.module->globals.size(), 2u);
    EXPECT_EQ(out.module->globals[0].value, 0x10001);
    EXPECT_EQ(out.module->globals[1].name, "Third");
    EXPECT_EQ(out.module->globals[1].value, 0x10006);
}

TEST(As88, EquatesMayReferToLabelsThatComeLater) {
    TempDir dir;
    Assembled out = Assemble(dir,
                             "Base    equ 0x100\n"
                             "Size    EQU (End - Begin)\n"
                             "Double  equ Size * 2\n"
                             "        DEFSECT \".text\", CODE AT Base\n"
                             "        SECT    \".text\" \n"
                             "Begin:  DW End, Double\n"
                             "        DS 2\n"
                             "End:\n"
                             "        GLOBAL Size\n");
    ASSERT_EQ(out.run.status, 0) << out.run.err;
    EXPECT_EQ(out.module->bytes, Bytes({0x06, 0x01, 0x0C, 0x00, 0x00, 0x00}));
    EXPECT_EQ(out.module->globals[0].value, 6);
}

TEST(As88, CaseOnMakesNamesCaseSensitive) {
    TempDir dir;
    Assembled sensitive =
        Assemble(dir, "$CASE ON\nvalue equ 1\nValue equ 2\n" + InSection("  DB value, Value\n"));
    ASSERT_EQ(sensitive.run.status, 0) << sensitive.run.err;
    EXPECT_EQ(sensitive.module->bytes, Bytes({1, 2}));

    Assembled insensitive =
        Assemble(dir, "$LIST OFF\nvalue equ 1\nValue equ 2\n" + InSection("  DB VALUE\n"));
    EXPECT_EQ(insensitive.run.status, 1);
    EXPECT_EQ(insensitive.run.err, "t.asm:3: symbol 'Value' already defined at t.asm:2\n");
}

TEST(As88, AnIncludePathMayHoldAnApostrophe) {
    TempDir dir;
    dir.Write("it's/x.h", "X equ 3\n");
    Assembled out = Assemble(
        dir, "  INCLUDE '" + (dir / "it's/x.h") + "' ; it's here\n" + InSection("  DB X\n"));
    EXPECT_EQ(out.run.status, 0) << out.run.err;
}

struct ErrorCase {
    const char* source;
    const char* message;
};

// Each error names the file as written and the line, and leaves no object:
// not even the one an earlier run wrote.
TEST(As88, ReportsFileAndLineAndWritesNoObject) {
    const ErrorCase cases[] = {
        {"\n  INCLUDE 'nothere.h'\n", "t.asm:2: cannot open include file 'nothere.h'\n"},
        {"  INCLUDE 'bad.h'\n",
         "bad.h:2: cannot read line: unknown instruction or directive "
         "'BOGUS'\n"},
        {"  INCLUDE nothere.h\n", "t.asm:1: INCLUDE expects a path in apostrophes\n"},
        {"  DEFSECT \".text\", CODE AT 0x100\n  SECT \".text\"\n  LD A,#Nowhere\n",
         "t.asm:3: undefined symbol 'Nowhere'\n"},
        {"  DEFSECT \".text\", CODE AT 0x100\n  SECT \".text\"\n  DB 1,,2\n",
         "t.asm:3: DB expects values\n"},
        {"  DEFSECT \".text\", CODE AT 0x100\n  SECT \".text\"\n  DB 256\n",
         "t.asm:3: value out of range for DB: 256\n"},
        {"  DEFSECT \".text\", CODE AT 0x100\n  SECT \".text\"\n  LD A,@B\n",
         "t.asm:3: unexpected character '@'\n"},
        {"  DEFSECT \".text\", CODE AT 0x100\n  SECT \".data\"\n",
         "t.asm:2: section \".data\" is not defined\n"},
        {"  DEFSECT \".text\" CODE AT 0x100\n",
         "t.asm:1: DEFSECT expects \"name\", CODE AT address\n"},
        {"  NOP\n", "t.asm:1: 'NOP' outside a section\n"},
        {"Loose: equ 3\n", "t.asm:1: cannot read line: unknown instruction or directive 'equ'\n"},
        {"A equ B\nB equ A\n", "t.asm:1: symbol 'A' is defined by itself\n"},
        {"$CASE MAYBE\n", "t.asm:1: $CASE expects ON or OFF\n"},
        {"  GLOBAL Missing\n  DEFSECT \".text\", CODE AT 0\n",
         "t.asm:1: undefined symbol 'Missing'\n"},
        {"X equ 1\n", "t.asm: no section defined (DEFSECT)\n"},
    };
    for (const ErrorCase& error : cases) {
        TempDir dir;
        dir.Write("bad.h", "; fine\n  BOGUS 1\n");
        dir.Write("t.obj", "stale");
        Assembled out = Assemble(dir, error.source);
        EXPECT_EQ(out.run.status, 1) << error.source;
        EXPECT_EQ(out.run.err, error.message) << error.source;
        EXPECT_FALSE(dir.Exists("t.obj")) << error.source;
    }
}

TEST(As88, ReadsItsOptionFileAndRefusesAMissingOneOrAnUnknownOption) {
    TempDir dir;
    dir.Write("t.asm", InSection("  NOP\n"));
    testing::WriteOptionFiles(dir);
    EXPECT_EQ(RunTool(RunAs88, {"t.asm", "-fascmd.cmd"}, dir.path()).status, 0);
    EXPECT_TRUE(dir.Exists("t.obj"));

    ToolRun missing = RunTool(RunAs88, {"t.asm", "-fnone.cmd"}, dir.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "none.cmd: cannot open option file\n");
    EXPECT_FALSE(dir.Exists("t.obj"));

    dir.Write("odd.cmd", "-Ms\n  -t -q\n");
    ToolRun unknown = RunTool(RunAs88, {"t.asm", "-fodd.cmd"}, dir.path());
    EXPECT_EQ(unknown.err, "odd.cmd:2: unknown option '-q'\n");
    EXPECT_EQ(RunTool(RunAs88, {"t.asm", "-x"}, dir.path()).err,
              "command line: unknown option '-x'\n");
}

}  // namespace
}  // namespace cuffware::toolchain
