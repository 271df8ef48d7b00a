#pragma once
// cuffware COMMAND --help: what one command does, takes and prints.

#include <string>

#include "app/command_line/headless.h"

namespace cuffware {

std::string CommandHelp(const HeadlessCommand& command);

}  // namespace cuffware
