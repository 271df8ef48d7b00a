#include "app/actions/program_settings.h"

#include "platform/program_directory.h"
#include "platform/program_version.h"
#include "platform/settings_location.h"
#include "project/tool_settings.h"

namespace cuffware {

std::string ChosenSettingsFile(const std::string& settingsOption) {
    return settingsOption.empty() ? SettingsFileFor(ProgramDirectory(), kToolSettingsFileName)
                                  : settingsOption;
}

std::string VersionReport(std::string_view program, const std::string& settingsPath) {
    return VersionText(program) + "Settings: " + settingsPath + "\n";
}

}  // namespace cuffware
