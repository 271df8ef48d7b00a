#include "app/command_line/next_command.h"

namespace cuffware {

std::string NextCuffwareCommand(const HeadlessContext& context, const std::string& command,
                                const std::string& operand) {
    std::vector<std::string> words = {ProgramToPaste("cuffware")};
    if (!context.args.settingsPath.empty())
        words.insert(words.end(), {"--settings", context.args.settingsPath});
    words.insert(words.end(), {command, operand});
    std::string line = CommandLine(words, HostShell());
    return context.commandPrefix.empty() ? line : context.commandPrefix + " " + line;
}

}  // namespace cuffware
