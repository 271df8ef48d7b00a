#include "app/window_models/builder_arguments.h"

#include "app/actions/program_settings.h"
#include "platform/program_version.h"

namespace cuffware {

BuilderArguments ParseBuilderArguments(const std::vector<std::string>& words) {
    BuilderArguments parsed;
    size_t next = 0;
    if (words.size() >= 2 && words[0] == "--settings") {
        parsed.settingsPath = words[1];
        next = 2;
    }
    parsed.settingsPath = ChosenSettingsFile(parsed.settingsPath);
    for (; next < words.size(); ++next)
        parsed.argumentText += (parsed.argumentText.empty() ? "" : " ") + words[next];
    return parsed;
}

std::optional<std::string> ConsoleAnswer(const std::vector<std::string>& words) {
    if (AsksForVersion(words))
        return VersionReport("cuffware-builder", ChosenSettingsFile(""));
    if (words.size() != 1 || (words.front() != "--help" && words.front() != "-h"))
        return std::nullopt;
    return "Usage: cuffware-builder [--settings FILE] [SCRIPT]\n"
           "\n"
           "The Q740 Cuffware Builder's window. SCRIPT, a builder script, is opened at\n"
           "start; the words after the options are joined by blanks, so a path with\n"
           "blanks needs no quotes.\n"
           "\n"
           "Options:\n"
           "  --settings FILE   read and write FILE instead of builder.ini beside the\n"
           "                    program (or in the user's settings directory when\n"
           "                    the program's directory is not to be written)\n"
           "  --version         the version and the settings file in use\n"
           "  --help            this text\n"
           "\n"
           "The same actions without the window: cuffware --help\n";
}

}  // namespace cuffware
