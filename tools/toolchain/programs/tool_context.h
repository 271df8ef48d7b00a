#pragma once
// What every tool of the toolchain runs against: the directory it runs in, the
// directory of its own executable, and where its messages go. The programs
// use the process's own; tests pass a temporary directory and string streams.

#include <ostream>
#include <string>
#include <string_view>

#include "platform/path_text.h"
#include "platform/result.h"
#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

struct ToolContext {
    std::string workingDirectory;  // host path; empty: the process's current directory
    std::string programDirectory;  // host path of the directory holding the executable
    std::ostream& out;
    std::ostream& err;
};

// The host path of a path text the tool was given: an absolute text (drive
// letter, "\" or "/") goes through the path rule as it is; a relative one is
// taken from the working directory, with the same case rule.
std::string ToolPath(const ToolContext& context, std::string_view pathText);

// Where a missing file was looked for: "(looked for HOSTPATH)".
std::string LookedFor(const ToolContext& context, std::string_view pathText);

// "FILE:LINE: reason", or "FILE: reason" when no line is known (as the tests
// and the diagnostics of a library call read them).
std::string MessageText(const Diagnostic& diagnostic);

// "FILE:LINE: error: reason" (or "FILE: error: reason"), the form editors
// and CI annotate from, as the tools print a failure.
std::string ErrorText(const Diagnostic& diagnostic);

// Prints the diagnostic on the error stream and gives the failing exit status.
int Fail(const ToolContext& context, const Diagnostic& diagnostic);

// The whole file named by pathText; a failure names it as given and the
// host path it was looked for at.
Result<std::string> ReadInput(const ToolContext& context, const std::string& pathText);

// Reads an object or linked module the tool was given (pathText as on its
// command line) and parses it; what cannot be read or parsed is the
// Diagnostic. labelsKept as ParseModule takes it.
Result<ObjectModule> ReadModule(const ToolContext& context, const std::string& pathText,
                                ModuleStage stage, LabelsKept labelsKept = LabelsKept::kAll);

// The most a tool reads of one input (a source, an object, an option file).
inline constexpr size_t kMaxToolInputBytes = 16 << 20;

// Writes the whole file at once; a failure names it as given.
Status WriteOutput(const ToolContext& context, const std::string& pathText,
                   std::string_view content);

// Deletes what an earlier run left under an output's name, so a failed run
// leaves no output behind. A file that is not there is no failure.
void RemoveOutput(const ToolContext& context, const std::string& pathText);

}  // namespace cuffware::toolchain
