#include "app/command_line/next_command.h"

#include <filesystem>

#include "app/command_line/demo_command.h"
#include "platform/host_process.h"
#include "platform/program_directory.h"

namespace cuffware {

namespace {

std::string BesideThis(const std::string& name) {
    return InProgramDirectory(HostProgramFile(name));
}

}  // namespace

std::string ProgramToPaste(const std::string& name) {
    const std::string beside = BesideThis(name);
    const std::string found = FindInPath(name);
    std::error_code error;
    const bool same = !found.empty() && std::filesystem::equivalent(found, beside, error);
    return same ? name : beside;
}

bool ProgramBesideThis(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(BesideThis(name), error);
}

std::string WinePrefixAssignment(const std::string& prefix) {
    return "WINEPREFIX=" + QuotedWord(prefix, Shell::kPosix);
}

std::string NextCuffwareCommand(const HeadlessContext& context, const std::string& command,
                                const std::string& operand) {
    std::vector<std::string> words = {ProgramToPaste("cuffware")};
    if (!context.args.settingsPath.empty())
        words.insert(words.end(), {"--settings", context.args.settingsPath});
    words.insert(words.end(), {command, operand});
    std::string line = CommandLine(words, HostShell());
    std::string prefix =
        context.commandPrefix.empty() ? WinePrefixToPaste() : context.commandPrefix;
    return prefix.empty() ? line : prefix + " " + line;
}

}  // namespace cuffware
