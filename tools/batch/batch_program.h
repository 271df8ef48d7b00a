#pragma once
// The batch runner's command line: cuffware-batch [--wait-on-failure] BATCH.

#include <istream>
#include <ostream>
#include <span>
#include <string>

namespace cuffware::batch {

inline constexpr int kExitUsage = 2;

// Runs the batch file starting in its own directory. The result is the exit
// status: 0 when every line succeeded, 1 when any failed, kExitUsage for a
// bad command line or a batch file that cannot be read. With
// --wait-on-failure a failed run asks for Enter on `in` before it ends, so
// a terminal window stays open for the user to read it.
int RunBatchRunner(std::span<const std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace cuffware::batch
