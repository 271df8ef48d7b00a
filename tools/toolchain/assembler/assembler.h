#pragma once
// The assembler's core: reads a source and everything it includes, and
// turns it into sections of the processor's bytes in two passes (the first
// places every label, so later labels may be used before they stand; the
// second gives the bytes). A line that fails is reported and the next one
// assembled, so one run reports every error. The dialect is described in
// docs/assembler.md.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/result.h"
#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

// The content of a file named by a path text (as written in an INCLUDE line
// or on the command line). A failure's path is the host path looked at.
using SourceReader = std::function<Result<std::string>(const std::string& pathText)>;

struct Assembly {
    ObjectModule module;
    std::string listing;  // empty unless asked for
};

// The most errors one run reports; the run stops at the limit.
constexpr size_t kMaxReportedErrors = 50;

// One message about a source line: the file as written, the line and the
// column (1-based; 0 for a message about the file as a whole), and for a line
// of an included file the INCLUDE lines that led there, innermost first
// ("common.asm:3").
struct SourceMessage {
    enum Severity { kError, kWarning } severity = kError;
    std::string file;
    int line = 0;
    int column = 0;
    std::string reason;
    std::vector<std::string> includedFrom;

    // "FILE:LINE:COLUMN: error: REASON" and a line "  included from
    // FILE:LINE" for each INCLUDE line.
    std::string Text() const;
};

// Every message of a run in the order of the source's lines; the assembly
// only when there was no error.
struct AssemblyReport {
    std::optional<Assembly> assembly;
    std::vector<SourceMessage> messages;
    size_t errors = 0;
    bool stoppedAtLimit = false;  // kMaxReportedErrors reached; there may be more

    // "3 errors", "1 error", "50 errors (stopped at the limit of 50)".
    std::string CountText() const;
};

AssemblyReport AssembleReporting(const std::string& sourceName, const SourceReader& read,
                                 bool withListing = false);

// As AssembleReporting, with the first error (and the INCLUDE lines that led
// to its file) as the failure.
Result<Assembly> Assemble(const std::string& sourceName, const SourceReader& read,
                          bool withListing = false);

}  // namespace cuffware::toolchain
