#include "app/actions/file_commands.h"
#include "app/actions/build_directory_lock.h"

#include "app/actions/status_texts.h"
#include "platform/host_path.h"
#include "platform/text_rules.h"
#include "project/builder_script.h"

namespace cuffware {

void NewProject(Workbench& bench) {
    bench.user.SetStatus(kStatusReady);
    ProjectRecord& project = bench.project;
    BuildFileTree(project.Files, bench.settings.NumberOfStates);
    project.ApplicationName.clear();
    SetFolderName(project, "", bench.settings);
    project.Description.clear();
    project.BannerLine1.clear();
    project.BannerLine2.clear();
    project.VersionRequired = kNewProjectVersion;
    for (std::string* field :
         {&project.PCInterface, &project.HeaderDirectory, &project.SourceDirectory,
          &project.BuildDirectory, &project.IncludeDirectory, &project.AssemblerDirectory})
        field->clear();
    project.PasswordSupport = 0;
    project.DatabaseSupport = 0;
}

bool RestoreProjectScript(Workbench& bench, const std::string& path) {
    Result<ProjectRecord> restored = RestoreBuilderScript(bench.files, path, bench.settings);
    if (!restored.ok()) {
        // A script that cannot be opened names the host file looked at too.
        Diagnostic failure = restored.error();
        if (failure.path == path)
            failure.path = WithHostPath(path);
        bench.user.ShowMessage("The builder script was not opened.\n" + failure.Text(),
                               MessageIcon::Critical);
        return false;
    }
    bool wasEditable = bench.project.DetailsEditable;
    bench.project = std::move(*restored);
    bench.project.DetailsEditable = bench.project.DetailsEditable || wasEditable;
    return true;
}

bool SaveProjectScript(Workbench& bench) {
    if (!FolderNamed(bench))
        return false;
    MakeBuildDirectory(bench);
    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held)
        return false;
    Status saved = SaveBuilderScript(bench.files, bench.project);
    if (!saved.ok()) {
        bench.user.ShowMessage("The builder script was not saved.\n" + saved.error().Text(),
                               MessageIcon::Critical);
        return false;
    }
    return true;
}

}  // namespace cuffware
