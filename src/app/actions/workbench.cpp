#include "app/actions/workbench.h"

#include "app/actions/status_texts.h"
#include "platform/text_rules.h"
#include "project/path_field.h"

namespace cuffware {

void LoadWorkbench(Workbench& bench, const std::string& settingsPath) {
    bench.user.SetStatus(kStatusReady);
    bench.settingsPath = settingsPath;
    Result<LoadedToolSettings> loaded = LoadToolSettings(bench.files, settingsPath);
    if (loaded.ok()) {
        bench.settings = loaded->settings;
        for (const std::string& warning : loaded->warnings)
            bench.user.ShowMessage(warning, MessageIcon::Exclamation);
    } else {
        bench.settings = DefaultToolSettings();
        bench.user.ShowMessage(
            "The tool settings cannot be read or created; the defaults are used.\n" +
                loaded.error().Text(),
            MessageIcon::Exclamation);
    }
    bench.project = StartupProject(bench.settings);
}

bool FolderNamed(Workbench& bench) {
    if (Trimmed(bench.project.FolderName).empty()) {
        bench.user.SetStatus(kStatusApplicationNotSpecified);
        return false;
    }
    if (Status paths = CheckProjectPaths(bench.project, bench.settings); !paths.ok()) {
        bench.user.ShowMessage(
            "The project names a path the builder cannot use.\n" + paths.error().message,
            MessageIcon::Critical);
        return false;
    }
    return true;
}

void MakeBuildDirectory(Workbench& bench) {
    (void)bench.files.MakeDirectory(bench.project.BuildDirectory);
}

}  // namespace cuffware
