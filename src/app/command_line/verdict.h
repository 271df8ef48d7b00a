#pragma once
// The last line of the headless all, build and package: where the result
// is, or what failed first, so a user need not search the lines above.

#include <string>

#include "app/command_line/headless.h"

namespace cuffware {

// "Package ready in BUILD (HOST): code image, parameter image, descriptor,
// description".
std::string PackageReadyVerdict(const ProjectRecord& project);

// "Failed: the package does not fit the 900-byte overlay; its files are in
// BUILD (HOST): ...".
std::string OverlayExceededVerdict(const ProjectRecord& project);

// "Build done: the S-records are in BUILD (HOST)".
std::string BuildDoneVerdict(const ProjectRecord& project);

// What failed first, from the batch runner's report, else the first refusal
// or error shown, else the last status: "Failed: ...".
std::string FailedVerdict(const PrintingUserPort& printed, const std::string& batchFailure,
                          int status);

// Runs the batch as the headless build does, telling the batch runner to be
// quiet when asked and to report its first failing line; that report, or ""
// when there is none (the batch succeeded, or the command interpreter ran it).
struct BuildOutcome {
    int status;
    std::string firstFailure;
};
BuildOutcome RunBuildReportingFailure(HeadlessContext& context);

}  // namespace cuffware
