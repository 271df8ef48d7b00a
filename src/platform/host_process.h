#pragma once
// Starting real processes on this host: the ProcessStarter the program uses,
// and the pieces the batch runner shares with it. What differs by host is in
// host_process_posix.cpp and host_process_win32.cpp.

#include <string>
#include <string_view>
#include <vector>

#include "platform/process.h"

namespace cuffware {

// Starts real processes on this host. On Windows the command interpreter runs
// a batch file in a console of its own. Elsewhere the batch runner
// (cuffware-batch, installed beside the program) runs it: in a terminal
// window when a display and a terminal emulator are there, else in the
// background with its output appended to build.log beside the batch.
ProcessStarter& HostProcesses();

// The words of a command line as the builder writes them: split at blanks
// outside double quotes, which the builder puts around a path holding a
// blank (a path holds no quote).
std::vector<std::string> SplitBuilderCommandLine(const std::string& commandLine);

// What separates the directories of PATH on this host: ';' on Windows,
// ':' elsewhere.
extern const char kPathListSeparator;

// True when this host may run the file at hostPath as a program (on Windows
// every file may be tried).
bool IsRunnable(const std::string& hostPath);

// The file called name in the first directory of PATH that holds an
// executable one, or "" when there is none.
std::string FindInPath(std::string_view name);

// True when the file starts with "MZ", the mark of a Windows executable.
bool IsWindowsExecutable(const std::string& hostPath);

// The argument vector that runs the program at programHostPath with
// arguments on this host. Off Windows a Windows executable runs under wine;
// without wine on PATH that is a Diagnostic naming programText (the program
// as the user wrote it).
Result<std::vector<std::string>> ProgramArgv(const std::string& programText,
                                             const std::string& programHostPath,
                                             const std::vector<std::string>& arguments);

// One program to run: its argument vector (host paths), where it runs and
// where its output goes. Diagnostics name `what`.
struct ProgramRun {
    std::vector<std::string> argv;
    std::string workingDirectory;  // host path; empty: ours
    std::string outputFile;        // host path; empty: our output. Off Windows only: appended to.
    std::string what;
    ChildVariables environment = {};  // added to what the program inherits
};

// The environment of a started program as "NAME=VALUE" entries: inherited
// with each variable of added put in, replacing one of the same name (names
// compared without regard to case where the host does so).
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& inherited,
                                         const ChildVariables& added, bool namesIgnoreCase);

// Runs the program and waits; the result is its exit status (128 + signal
// number when a signal ended it). A program that cannot be started, or whose
// end cannot be waited for, is a Diagnostic with the system's reason.
Result<int> RunProgram(const ProgramRun& run);

// Starts the program and returns at once; it runs on by itself. Success means
// the program was started, not that it will succeed.
Status StartProgram(const ProgramRun& run);

}  // namespace cuffware
