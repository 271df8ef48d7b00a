#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#endif

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
         "t.asm:2:12: error: cannot open include file 'nothere.h' (looked for DIR/nothere.h)\n"},
        {"\n\n  INCLUDE 'outer.h'\n",
         "bad.h:2:3: error: cannot read line: unknown instruction or directive 'BOGUS'\n"
         "  included from outer.h:2\n  included from t.asm:3\n"},
        {"  INCLUDE nothere.h\n", "t.asm:1:3: error: INCLUDE expects a path in quotes\n"},
        {"  INCLUDE \"x.h'\n", "t.asm:1:3: error: INCLUDE path has no closing double quote\n"},
        {text + "  LD A,#Nowhere\n", "t.asm:3:9: error: undefined symbol 'Nowhere'\n"},
        {text + "  DB 1,,2\n", "t.asm:3:3: error: DB expects values\n"},
        {text + "  DB 256\n", "t.asm:3:3: error: DB takes a value of -128..255, not 256\n"},
        {text + "  LD A,#@B\n", "t.asm:3:9: error: unexpected character '@'\n"},
        {"  DEFSECT \".text\", CODE AT 0x100\n  SECT \".data\"\n",
         "t.asm:2:3: error: section \".data\" is not defined\n"},
        {"  DEFSECT \".text\" CODE AT 0x100\n",
         "t.asm:1:3: error: DEFSECT expects \"name\", CODE or DATA, and AT address to fix its "
         "place\n"},
        {"  NOP\n", "t.asm:1:3: error: 'NOP' outside a section\n"},
        {"  DEFSECT \"a\vb\", CODE\n",
         "t.asm:1:3: error: a section name is printable characters without blanks\n"},
        {"Loose: equ 3\n",
         "t.asm:1:8: error: cannot read line: unknown instruction or directive 'equ'\n"},
        {"A equ B\nB equ A\n", "t.asm:1:1: error: symbol 'A' is defined by itself\n"},
        {"$CASE MAYBE\n", "t.asm:1:1: error: $CASE expects ON or OFF\n"},
        {"$LIST OFF\nvalue equ 1\nValue equ 2\n" + text,
         "t.asm:3:1: error: symbol 'Value' already defined at t.asm:2\n"},
        {"  GLOBAL Missing\n" + text, "t.asm:1:10: error: undefined symbol 'Missing'\n"},
        {"X equ 1\n", "t.asm: error: no section defined (DEFSECT)\n"},
        {text,
         "none.cmd: error: cannot open option file (looked for DIR/none.cmd)\n",
         {"t.asm", "-fnone.cmd"}},
        {text, "odd.cmd:2: error: unknown option '-q'\n", {"t.asm", "-fodd.cmd"}},
        {text, "command line: error: unknown option '-x'\n", {"t.asm", "-x"}},
    };
    for (const ErrorCase& error : cases) {
        TempDir dir;
        ToolRun run = Assemble(dir, error.source, error.args);
        EXPECT_EQ(run.status, 1) << error.source;
        std::string expected = testing::InDir(error.message, dir);
        if (error.args.size() == 1)  // a fault of the source, not of the options
            expected += "as88: 1 error, no object written\n";
        EXPECT_EQ(run.err, expected) << error.source;
        EXPECT_FALSE(dir.Exists("t.obj")) << error.source;
    }
}

// 140 full banks fit a module, but their object would be more than lk88
// reads: as88 says so and writes neither the object nor the listing.
TEST(As88, WritesNoObjectLargerThanTheLinkerReads) {
    TempDir dir;
    std::string source;
    for (int i = 0; i < 140; ++i) {
        std::string name = "\"s" + std::to_string(i) + "\"";
        source += "  DEFSECT " + name + ", DATA\n  SECT " + name + "\n  DS 010000h\n";
    }
    ToolRun run = Assemble(dir, source, {"t.asm", "-l"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with("t.obj: error: not written: the object would be ")) << run.err;
    EXPECT_TRUE(run.err.ends_with(" bytes, more than lk88 reads (16777216)\n")) << run.err;
    EXPECT_FALSE(dir.Exists("t.obj"));
    EXPECT_FALSE(dir.Exists("t.lst"));
}

// A source that cannot be read says why: what it is, or the bound it
// passes; it is never waited on.
TEST(As88, SaysWhyASourceCannotBeRead) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() + "/d.asm");
    dir.Write("big.asm", std::string(kMaxToolInputBytes + 1, ';'));
    std::vector<std::pair<std::string, std::string>> cases = {
        {"d.asm", "d.asm: error: cannot read source file (looked for DIR/d.asm): is a directory\n"},
        {"big.asm", "big.asm: error: cannot read source file (looked for DIR/big.asm): more than " +
                        std::to_string(kMaxToolInputBytes) + " bytes\n"},
    };
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir.path() + "/f.asm").c_str(), 0600), 0);
    cases.push_back({"f.asm",
                     "f.asm: error: cannot read source file (looked for DIR/f.asm): not a regular "
                     "file\n"});
#endif
    for (const auto& [name, message] : cases) {
        ToolRun run = RunTool(RunAs88, {name}, dir.path());
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.err, testing::InDir(message, dir) + "as88: 1 error, no object written\n")
            << name;
    }
}

}  // namespace
}  // namespace cuffware::toolchain
