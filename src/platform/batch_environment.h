#pragma once
// What the headless command tells the batch runner (cuffware-batch) through
// the environment the batch inherits: the command interpreter on Windows
// ignores both.

namespace cuffware {

// "1": the batch runner echoes no command and prints no "Could Not Find".
inline constexpr const char* kQuietVariable = "CUFFWARE_BATCH_QUIET";

// A host path: the batch runner writes the report of the first failing line
// there (nothing when no line fails).
inline constexpr const char* kReportVariable = "CUFFWARE_BATCH_REPORT";

}  // namespace cuffware
