// Our own tools met in build.bat run inside the batch runner: only a program
// file that carries the mark of one of ours, of this version, is taken for
// one; the line's output, status and files are those of the program.

#include "batch/own_tool.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>

#include "batch/batch_runner.h"
#include "support/environment_scope.h"
#include "support/temp_dir.h"

namespace cuffware::batch {
namespace {

using cuffware::testing::EnvironmentScope;
using cuffware::testing::TempDir;

void Put(std::string& bytes, size_t at, uint64_t value, size_t size) {
    for (size_t i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 64-bit ELF file of three sections: none, the section names, and
// ".cuffware_tool" holding mark (nothing holds it when mark is empty).
std::string ElfWithMark(const std::string& mark) {
    const std::string names = std::string("\0.shstrtab\0.cuffware_tool\0", 26);
    const size_t namesAt = 64, markAt = namesAt + names.size(), tableAt = markAt + mark.size() + 1;
    std::string bytes(tableAt + 3 * 64, '\0');
    bytes.replace(0, 4,
                  "\x7f"
                  "ELF");
    bytes[4] = 2;  // 64-bit
    bytes[5] = 1;  // little-endian
    Put(bytes, 0x28, tableAt, 8);
    Put(bytes, 0x3A, 64, 2);
    Put(bytes, 0x3C, 3, 2);
    Put(bytes, 0x3E, 1, 2);
    bytes.replace(namesAt, names.size(), names);
    bytes.replace(markAt, mark.size(), mark);
    Put(bytes, tableAt + 64 + 0x00, 1, 4);  // ".shstrtab"
    Put(bytes, tableAt + 64 + 0x18, namesAt, 8);
    Put(bytes, tableAt + 64 + 0x20, names.size(), 8);
    Put(bytes, tableAt + 128 + 0x00, mark.empty() ? 1 : 11, 4);
    Put(bytes, tableAt + 128 + 0x18, markAt, 8);
    Put(bytes, tableAt + 128 + 0x20, mark.size() + 1, 8);
    return bytes;
}

TEST(OwnTool, OnlyAProgramMarkedAsOneOfOursOfThisVersionIsOne) {
    TempDir dir;
    dir.Write("as88.exe", ElfWithMark(ToolMark("as88")));
    dir.Write("lc88.exe", ElfWithMark(ToolMark("lc88")));
    dir.Write("old.exe", ElfWithMark("cuffware-tool as88 Version 0.0.1"));
    dir.Write("other.exe", ElfWithMark("cuffware-tool sim88 " + ToolMark("").substr(15)));
    dir.Write("plain.exe", ElfWithMark(""));
    dir.Write("script.exe", "#!/bin/sh\nexit 0\n");
    dir.Write("windows.exe", std::string("MZ\x90\0\x03", 5));
    const std::string whole = ElfWithMark(ToolMark("as88"));
    dir.Write("cut.exe", whole.substr(0, whole.size() - 64));

    std::optional<OwnTool> as88 = FindOwnTool(dir / "as88.exe");
    ASSERT_TRUE(as88.has_value());
    EXPECT_STREQ(as88->name, "as88");
    EXPECT_EQ(as88->entry, &toolchain::RunAs88);
    ASSERT_TRUE(FindOwnTool(dir / "lc88.exe").has_value());
    EXPECT_EQ(FindOwnTool(dir / "lc88.exe")->entry, &toolchain::RunLc88);
    for (const char* name :
         {"old.exe", "other.exe", "plain.exe", "script.exe", "windows.exe", "cut.exe", "none.exe"})
        EXPECT_FALSE(FindOwnTool(dir / name).has_value()) << name;
}

class OwnToolLineTest : public ::testing::Test {
  protected:
    int Run(const std::string& text) { return RunBatchText(text, "build.bat", context); }

    TempDir dir;
    EnvironmentScope noWinePrefix{"WINEPREFIX", dir / "no-prefix"};
    std::ostringstream out, err;
    BatchContext context{dir.path(), out, err};
};

// The program file is never started: it is no program at all, only marked.
TEST_F(OwnToolLineTest, AMarkedToolRunsInsideWithTheProgramsOutputStatusAndFiles) {
    dir.Write("bin/as88.exe", ElfWithMark(ToolMark("as88")));
    chmod((dir / "bin/as88.exe").c_str(), 0755);
    dir.Write("build/ok.asm",
              "\tDEFSECT \".text\",CODE AT 10000h\r\n\tSECT \".text\"\r\n"
              "\tLD A,#12h\r\n\tRET\r\n");
    dir.Write("build/bad.asm",
              "\tDEFSECT \".text\",CODE AT 10000h\r\n\tSECT \".text\"\r\n"
              "\tLD Q,#12h\r\n\tJRS Nowhere\r\n");
    EXPECT_EQ(Run("cd build\r\n..\\bin\\as88.exe ok.asm\r\n..\\bin\\as88 --version\r\n"), 0);
    EXPECT_TRUE(dir.Exists("build/ok.obj"));
    EXPECT_NE(out.str().find("> ..\\bin\\as88.exe ok.asm\nas88: ok.asm -> ok.obj: 1 section, "
                             "3 bytes, 0 global symbols\n"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("> ..\\bin\\as88 --version\nas88: "), std::string::npos);

    EXPECT_EQ(Run("..\\bin\\as88 bad.asm\r\n"), 1);
    EXPECT_FALSE(dir.Exists("build/bad.obj"));
    // Every error, then the count, on the error stream; the first leads the report.
    EXPECT_NE(err.str().find("bad.asm:3:"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("bad.asm:4:"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("as88: 2 errors, no object written\n"), std::string::npos);
    EXPECT_EQ(context.firstFailure.substr(0, 10), "bad.asm:3:");
    EXPECT_NE(err.str().find("\"..\\bin\\as88 bad.asm\" failed: ..\\bin\\as88: ended with exit "
                             "status 1"),
              std::string::npos)
        << err.str();
}

// Another version's program is started as a process, as any program is:
// this one cannot run, and the line says so.
TEST_F(OwnToolLineTest, AnotherVersionIsStartedAsAProcess) {
    dir.Write("as88.exe", ElfWithMark("cuffware-tool as88 Version 0.0.1"));
    chmod((dir / "as88.exe").c_str(), 0755);
    dir.Write("ok.asm", "\tDEFSECT \".text\",CODE AT 10000h\r\n\tSECT \".text\"\r\n\tRET\r\n");
    EXPECT_EQ(Run("as88 ok.asm\r\n"), 1);
    EXPECT_FALSE(dir.Exists("ok.obj"));
}

}  // namespace
}  // namespace cuffware::batch
