#include "app/window_models/builder_arguments.h"

#include "app/actions/program_settings.h"

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

}  // namespace cuffware
