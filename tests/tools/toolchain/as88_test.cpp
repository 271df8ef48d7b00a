#include <gtest/gtest.h>

#include "tool_runner.h"

namespace cuffware::toolchain {
namespace {

using cuffware::testing::TempDir;
using testing::RunTool;
using testing::ToolRun;

std::string InSection(const std::string& body) {
    return "        DEFSECT \".text\", CODE AT 0x10000\r\n        SECT    \".text\"\r\n" + body;
}

// A directory with an include file that fails on its second line, one under
// a name with an apostrophe, odd option files and a stale object.
ToolRun Assemble(const TempDir& dir, const std::string& source,
                 std::vector<std::string> args = {"t.asm"}) {
    dir.Write("bad.h", "; fine\n  BOGUS 1\n");
    dir.Write("outer.h", "\n  INCLUDE \"bad.h\"\n");
    dir.Write("it's/x.h", "X equ 3\n");
    dir.Write("odd.cmd", "-Ms\n  -t -q\n");
    dir.Write("t.obj", "stale");
    dir.Write("t.asm", source);
    return RunTool(RunAs88, args, dir.path());
}

struct BytesCase {
    std::string source;
    std::vector<int> bytes;
};

// Data as written, instructions as the processor's bytes; equates may refer
// to labels further on.
TEST(As88, AssemblesTheBytesTheSourceDescribes) {
    const BytesCase cases[] = {
        {InSection("  DB 1, 0FFh, 'Ab''c', -1 ; a comment, 'quoted'\n  DW 0x1234, 65535\n"
                   "  DS 3\n  DB \t0x7F\t\n"),
         {1, 0xFF, 'A', 'b', '\'', 'c', 0xFF, 0x34, 0x12, 0xFF, 0xFF, 0, 0, 0, 0x7F}},
        {InSection("  DB \"T;'\"\"K\", 0, \"\", \"a,b\" ; \"c\"\n"),
         {'T', ';', '\'', '"', 'K', 0, 'a', ',', 'b'}},
        {InSection("First:  NOP\n        LD      A,[HL]\n        CARL    Third\n"
                   "Third:  ret\n        JRS     NZ,First\n"),
         {0xFF, 0x45, 0xF2, 0x01, 0x00, 0xF8, 0xE7, 0xF9}},
        {"Base equ 0x100\nSize EQU (End - Begin)\nDouble equ Size * 2\n"
         "  DEFSECT \".text\", CODE AT Base\n  SECT \".text\" \nBegin: DW End, Double\n  DS "
         "2\nEnd:\n",
         {0x06, 0x01, 0x0C, 0x00, 0x00, 0x00}},
        {"$CASE ON\nvalue equ 1\nValue equ 2\n" + InSection("  DB value, Value\n"), {1, 2}},
        {"  INCLUDE 'it's/x.h' ; it's here\n" + InSection("  DB X\n"), {3}},
    };
    for (const BytesCase& c : cases) {
        TempDir dir;
        ToolRun run = Assemble(dir, c.source);
        ASSERT_EQ(run.status, 0) << c.source << run.err;
        Result<ObjectModule> module = ParseModule(dir.Read("t.obj"), ModuleStage::kObject, "t.obj");
        ASSERT_TRUE(module.ok()) << c.source;
        ASSERT_EQ(module->sections.size(), 1u) << c.source;
        EXPECT_EQ(module->sections[0].bytes, std::string(c.bytes.begin(), c.bytes.end()))
            << c.source;
    }
}

struct ErrorCase {
    std::string source;
    const char* message;
    std::vector<std::string> args = {"t.asm"};
};

// Each error names the file as written and the line, and leaves no object:
// not even the one an earlier run wrote.
TEST(As88, ReportsFileAndLineAndWritesNoObject) {
    const std::string text = "  DEFSECT \".text\", CODE AT 0x100\n  SECT \".text\"\n";
    const ErrorCase cases[] = {
        {"\n  INCLUDE 'nothere.h'\n",
         "t.asm:2: cannot open include file 'nothere.h' (looked for DIR/nothere.h)\n"},
        {"\n\n  INCLUDE 'outer.h'\n",
         "bad.h:2: cannot read line: unknown instruction or directive 'BOGUS'\n"
         "  included from outer.h:2\n  included from t.asm:3\n"},
        {"  INCLUDE nothere.h\n", "t.asm:1: INCLUDE expects a path in quotes\n"},
        {"  INCLUDE \"x.h'\n", "t.asm:1: INCLUDE path has no closing double quote\n"},
        {text + "  LD A,#Nowhere\n", "t.asm:3: undefined symbol 'Nowhere'\n"},
        {text + "  DB 1,,2\n", "t.asm:3: DB expects values\n"},
        {text + "  DB 256\n", "t.asm:3: DB takes a value of -128..255, not 256\n"},
        {text + "  LD A,#@B\n", "t.asm:3: unexpected character '@'\n"},
        {"  DEFSECT \".text\", CODE AT 0x100\n  SECT \".data\"\n",
         "t.asm:2: section \".data\" is not defined\n"},
        {"  DEFSECT \".text\" CODE AT 0x100\n",
         "t.asm:1: DEFSECT expects \"name\", CODE or DATA, and AT address to fix its place\n"},
        {"  NOP\n", "t.asm:1: 'NOP' outside a section\n"},
        {"  DEFSECT \"a\vb\", CODE\n",
         "t.asm:1: a section name is printable characters without blanks\n"},
        {"Loose: equ 3\n", "t.asm:1: cannot read line: unknown instruction or directive 'equ'\n"},
        {"A equ B\nB equ A\n", "t.asm:1: symbol 'A' is defined by itself\n"},
        {"$CASE MAYBE\n", "t.asm:1: $CASE expects ON or OFF\n"},
        {"$LIST OFF\nvalue equ 1\nValue equ 2\n" + text,
         "t.asm:3: symbol 'Value' already defined at t.asm:2\n"},
        {"  GLOBAL Missing\n" + text, "t.asm:1: undefined symbol 'Missing'\n"},
        {"X equ 1\n", "t.asm: no section defined (DEFSECT)\n"},
        {text,
         "none.cmd: cannot open option file (looked for DIR/none.cmd)\n",
         {"t.asm", "-fnone.cmd"}},
        {text, "odd.cmd:2: unknown option '-q'\n", {"t.asm", "-fodd.cmd"}},
        {text, "command line: unknown option '-x'\n", {"t.asm", "-x"}},
    };
    for (const ErrorCase& error : cases) {
        TempDir dir;
        ToolRun run = Assemble(dir, error.source, error.args);
        EXPECT_EQ(run.status, 1) << error.source;
        EXPECT_EQ(run.err, testing::InDir(error.message, dir)) << error.source;
        EXPECT_FALSE(dir.Exists("t.obj")) << error.source;
    }
}

// Nine million bytes fit a module, but their object would be more than lk88
// reads: as88 says so and writes neither the object nor the listing.
TEST(As88, WritesNoObjectLargerThanTheLinkerReads) {
    TempDir dir;
    ToolRun run = Assemble(dir, InSection("  DS 9000000\n"), {"t.asm", "-l"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with("t.obj: not written: the object would be ")) << run.err;
    EXPECT_TRUE(run.err.ends_with(" bytes, more than lk88 reads (16777216)\n")) << run.err;
    EXPECT_FALSE(dir.Exists("t.obj"));
    EXPECT_FALSE(dir.Exists("t.lst"));
}

}  // namespace
}  // namespace cuffware::toolchain
