#pragma once
// The cuffware command line a user pastes to go on from a run: the same
// settings file, the given command and its operand, quoted for the host's
// shell.

#include <string>

#include "app/headless.h"

namespace cuffware {

// "cuffware [--settings FILE] COMMAND OPERAND", with the context's prefix.
std::string NextCuffwareCommand(const HeadlessContext& context, const std::string& command,
                                const std::string& operand);

}  // namespace cuffware
