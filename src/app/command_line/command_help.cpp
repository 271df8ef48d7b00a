#include "app/command_line/command_help.h"

#include <string_view>

namespace cuffware {

namespace {

struct HelpText {
    std::string_view command;
    std::string_view text;
};

constexpr HelpText kHelp[] = {
    {"generate",
     "Restores SCRIPT and writes what the cross toolchain needs into the build\n"
     "directory: common.asm, state<N>.asm and param.asm, build.bat, and the\n"
     "option files ascmd.cmd, lkcmd.cmd and lccmd.cmd (as \"Create Build\n"
     "Scripts\" does). Exit status 0 when every file was written.\n"},
    {"build",
     "Restores SCRIPT and runs the build directory's build.bat, waiting for it:\n"
     "through the command interpreter on Windows, elsewhere through the batch\n"
     "runner cuffware-batch (Windows programs under wine). Run generate first.\n"
     "The last line says where the S-records are, or names the first batch line\n"
     "that failed; the assembler's own message stands above it. The exit status\n"
     "is the batch's. --quiet leaves out the echo of each command and the\n"
     "\"Could Not Find\" lines of the batch runner.\n"},
    {"package",
     "Restores SCRIPT, checks that every section's S-record file is there and\n"
     "packs them into the code image FOLDER_code_VVV.bin and the parameter\n"
     "image FOLDER_par_VVV.bin, then writes the descriptor FOLDER.app and the\n"
     "description FOLDER.txt (as \"Create Cuffware\" does). The last line names\n"
     "the package's files and their directory, or what failed first.\n"},
    {"analyze",
     "Restores SCRIPT and reads the code image back: the window's captions with\n"
     "their values, the table of each section's memory usage, then each\n"
     "section's share of the 900-byte code overlay (a state shares it with the\n"
     "common section). Exit status 3 when a state and the common section\n"
     "together exceed the overlay; the sections that do are named on standard\n"
     "error. --json prints the report as one JSON object instead, for scripts\n"
     "(status lines then go to standard error).\n"},
    {"download",
     "Restores SCRIPT and runs the SDK's downloader (bin\\CuffwareDL.exe) on the\n"
     "descriptor FOLDER.app, waiting for it; its exit status.\n"},
    {"all",
     "generate, build, package and analyze SCRIPT, stopping at the first step\n"
     "that fails with its exit status (3 when the overlay is exceeded). The\n"
     "last line names the package's files and their directory, or what failed\n"
     "first. --quiet as for build.\n"},
    {"test",
     "Restores SCRIPT, builds it as all does (generate and build) unless the\n"
     "build is up to date (every code section's S-records and map newer than\n"
     "the script and every file of the project), then runs the routine tests\n"
     "of the test files (*.tst) in the folder test beside the project's src on\n"
     "the simulator: one line per test, \"PASS name (N cycles)\" or \"FAIL name:\n"
     "expected ..., seen ...\" followed by the last instructions it ran, then\n"
     "\"N passed, M failed\". A malformed test file is refused with its\n"
     "FILE:LINE:COLUMN. Exit status 0 only when every test passed. --json\n"
     "prints the results as one JSON object instead. The format of the test\n"
     "files: docs/testing.md.\n"},
    {"save",
     "Restores SCRIPT and saves it again to BUILD\\FOLDER.scr, as File > Open and\n"
     "File > Save do: a way to check a script that was written by hand.\n"},
    {"new",
     "cuffware new FOLDER [--states N]\n"
     "Makes a project that builds at once: the directories h, src and build\n"
     "below SDK\\app\\FOLDER (SDK from builder.ini), starter sources in src (the\n"
     "parameter file, a header, the background handler, a common file and the\n"
     "code of states 0 to N-1, N 1 by default), each saying what belongs in it,\n"
     "and the builder script build\\FOLDER.scr. Nothing is written when any of\n"
     "these files exists. Then: cuffware all SDK\\app\\FOLDER\\build\\FOLDER.scr.\n"
     "The script's format: docs/builder-script.md.\n"},
    {"doctor",
     "Checks the set-up before a build fails, one line per check, \"ok\" or\n"
     "\"FAIL\" first: the builder.ini in use and its values; the SDK and\n"
     "toolchain directories (with the host path each maps to off Windows); the\n"
     "SDK's include and bin folders and Q740INC.H; as88, lk88 and lc88 in the\n"
     "toolchain's bin, maplist, labelset and the downloader in the SDK's bin;\n"
     "the processor description in the toolchain's etc; and off Windows wine,\n"
     "when any of those programs is a Windows program. Each failure is followed\n"
     "by what to do, and the last line says whether the set-up can build. Exit\n"
     "status 0 only when every check passed.\n"},
    {"demo",
     "cuffware demo [DIR]\n"
     "Lays out in DIR (a new directory when not given: a temporary one off\n"
     "Windows, %LOCALAPPDATA%\\Cuffware\\Demo on Windows) the demo SDK, the\n"
     "stand-in toolchain, the demo applications, their builder scripts and a\n"
     "builder.ini naming them; then runs all and download on the demo and prints\n"
     "where everything is and the command that opens it in the window. Off\n"
     "Windows DIR is a Wine prefix whose c: drive holds c:\\q740 and c:\\c88. A\n"
     "DIR that is not empty is refused.\n"},
};

}  // namespace

std::string CommandHelp(const HeadlessCommand& command) {
    std::string text = "Usage: cuffware [--settings FILE] " + std::string(command.name) + " " +
                       command.operand + "\n" + command.summary + ".\n\n";
    for (const HelpText& help : kHelp) {
        if (help.command == command.name)
            text += help.text;
    }
    return text;
}

}  // namespace cuffware
