#include "batch/batch_program.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "batch/batch_runner.h"
#include "platform/batch_environment.h"
#include "platform/file_system.h"
#include "platform/host_path.h"
#include "platform/wine_path.h"

namespace cuffware::batch {

namespace {

constexpr std::string_view kUsage = "Usage: cuffware-batch [--wait-on-failure] BATCHFILE\n";

constexpr std::string_view kHelp =
    "cuffware-batch: a stand-in for the Windows command interpreter running a\n"
    "build batch (build.bat), part of the Cuffware Builder's test road; not the\n"
    "real thing.\n"
    "Runs the batch line by line from the batch file's directory, echoing each\n"
    "command. It knows @ECHO OFF, ECHO, REM and blank lines, CD DIR, DEL PATTERN\n"
    "(wildcards, letter case ignored, no match is no error), COPY SOURCE DEST,\n"
    "and program lines: the program is a path text (c:\\... maps through\n"
    "$WINEPREFIX/dosdevices), tried as named and then with .exe, .com and .bat\n"
    "added; a Windows executable runs under wine when wine is on PATH. Like the\n"
    "command interpreter it goes on after a failing line; the exit status is 1\n"
    "when any line failed, 0 otherwise.\n"
    "Options:\n"
    "  --wait-on-failure  after a failure, wait for Enter before ending\n"
    "Environment (set by the builder's headless command):\n"
    "  CUFFWARE_BATCH_QUIET=1     no echo of the commands, no \"Could Not Find\"\n"
    "  CUFFWARE_BATCH_REPORT=FILE the report of the first failing line is written\n"
    "                             to FILE (nothing is written when no line fails)\n";

int Finish(int status, bool waitOnFailure, std::istream& in, std::ostream& out) {
    if (status != 0 && waitOnFailure) {
        out << "Press Enter to close this window." << std::endl;
        std::string line;
        std::getline(in, line);
    }
    return status;
}

}  // namespace

int RunBatchRunner(std::span<const std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    bool waitOnFailure = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            out << kHelp << kUsage;
            return 0;
        }
        if (arg == "--wait-on-failure") {
            waitOnFailure = true;
        } else if (arg.starts_with("--")) {
            err << "unknown option " << arg << "\n" << kUsage;
            return kExitUsage;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        err << "expected one batch file\n" << kUsage;
        return Finish(kExitUsage, waitOnFailure, in, out);
    }

    std::string batch = HostPath(files.front());
    std::string batchName = WindowsFormUnderWine(files.front());
    Result<std::string> text = DiskFileSystem().ReadFile(batch, kMaxBatchBytes);
    if (!text) {
        err << Diagnostic{batchName, 0, text.error().message}.Text() << "\n";
        return Finish(kExitUsage, waitOnFailure, in, out);
    }
    std::error_code error;
    std::filesystem::path directory = std::filesystem::absolute(batch, error).parent_path();
    BatchContext context{directory.string(), out, err};
    const char* quiet = std::getenv(kQuietVariable);
    context.quiet = quiet && std::string_view(quiet) == "1";
    out << "cuffware-batch: running " << batchName << "\n";
    int failed = RunBatchText(*text, batchName, context);
    if (const char* report = std::getenv(kReportVariable); report && *report && failed > 0)
        (void)DiskFileSystem().WriteFile(report, context.firstFailure + "\n");
    if (failed == 0) {
        out << "cuffware-batch: " << batchName << " done\n";
        return 0;
    }
    err << "cuffware-batch: " << batchName << ": " << failed << " line(s) failed\n";
    return Finish(1, waitOnFailure, in, out);
}

}  // namespace cuffware::batch
