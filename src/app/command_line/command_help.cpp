#include "app/command_line/command_help.h"

namespace cuffware {

std::string CommandHelp(const HeadlessCommand& command) {
    return "Usage: cuffware [--settings FILE] " + std::string(command.name) + " " +
           OperandsText(command) + "\n" + command.summary + ".\n\n" + command.help;
}

}  // namespace cuffware
