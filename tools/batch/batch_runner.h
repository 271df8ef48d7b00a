#pragma once
// Carrying out the commands of a batch file on this host, line after line,
// going on after a failing line as the command interpreter does.

#include <ostream>
#include <string>
#include <string_view>

#include "batch/batch_command.h"
#include "platform/result.h"

namespace cuffware::batch {

// The most the runner reads of a batch file and of a file it copies.
inline constexpr size_t kMaxBatchBytes = 1 << 20;
inline constexpr size_t kMaxCopiedBytes = 16 << 20;

struct BatchContext {
    std::string currentDirectory;  // absolute host path; CD changes it
    std::ostream& out;
    std::ostream& err;
    int depth = 0;          // of batch files started from batch files
    int nestedBatches = 0;  // batch files started from batch files in all
    bool quiet = false;     // no echo of the commands, no "Could Not Find"
    // The first failure: the failing program's first line of output and the
    // batch line ("FILE:12: reason (BATCH, line 54)"), or the report of the
    // first line that failed.
    std::string firstFailure = {};
    std::string programMessage = {};  // the last failing program's first line
};

// The host path of a path text in a batch line, seen from the current
// directory (HostPathFrom): ".." never climbs above a drive's root.
std::string BatchPath(const BatchContext& context, std::string_view pathText);

// The file a program line names: the name itself, else with ".exe", ".com"
// or ".bat" added, letter case ignored. None of them: a Diagnostic.
Result<std::string> FindProgram(const BatchContext& context, const std::string& programText);

// Carries out one command. A program that ends with a non-zero status fails.
Status RunCommand(const BatchCommand& command, BatchContext& context);

// Runs every line of a batch text, echoing each command before it runs and
// reporting each failing line on the error stream as
// BATCH, line N: "LINE" failed: REASON. Returns the number of failed lines.
// The first report is kept in the context.
int RunBatchText(std::string_view text, const std::string& batchName, BatchContext& context);

}  // namespace cuffware::batch
