// Where the build's report opens: at its first error.

#include "app/window_models/build_report.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(BuildReport, OpensAtTheFirstLineThatNamesAnErrorInASourceFile) {
    const std::string report =
        "c:\\c88\\bin\\as88.exe common.asm -fas88.opt\r\n"
        "12:30: the clock is not a file\r\n"
        "  included from state1.asm:99\r\n"
        "c:\\q740\\app\\demo\\src\\clock.asm:12: LD A,[IX+dd] takes a displacement of "
        "-128..127, not 200\r\n"
        "util.asm:43: DIV takes no operand\r\n";
    EXPECT_EQ(FirstErrorLine(report), 3u);
    EXPECT_EQ(FirstErrorLine("state1.asm:7: unknown instruction or directive 'FROBNICATE'"), 0u);
    EXPECT_EQ(FirstErrorLine("echo\nmain.c:4:10: error: expected ';'\n"), 1u);
}

// Lines that look like an error's place and are not one.
TEST(BuildReport, WarningsNotesIndentedLinesAndPlainTextAreNoErrors) {
    for (const char* report :
         {"", "\n\n", "main.c:4:10: warning: unused variable\nmain.c:4: note: declared here\n",
          "  clock.asm:12: indented, as under an error\n", "build.bat, line 48: cannot run\n",
          "Could Not Find c:\\q740\\app\\demo\\build\\common.obj\n", "clock.asm:: no line\n",
          "clock.asm:12:no blank\n", "clock.asm:12:3: fatal\n", "clock:12: no extension\n",
          ".asm:12: no name\n", "c:\\q740\\app:12: a folder\n",
          "Failed here: clock.asm:12: not at the start\n"})
        EXPECT_EQ(FirstErrorLine(report), std::nullopt) << report;
}

}  // namespace
}  // namespace cuffware
