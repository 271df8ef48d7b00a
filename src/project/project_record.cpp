#include "project/project_record.h"

#include "project/build_files.h"

#include "platform/text_rules.h"

namespace cuffware {

void DeriveProjectDirectories(ProjectRecord& project, const ToolSettings& settings) {
    std::string folder = Trimmed(project.FolderName);
    if (folder.empty())
        return;
    project.FolderName = folder;
    std::string appDirectory = settings.SdkPath + "\\app\\" + folder;
    project.HeaderDirectory = appDirectory + "\\h";
    project.SourceDirectory = appDirectory + "\\src";
    project.BuildDirectory = appDirectory + "\\build";
    project.IncludeDirectory = SdkIncludeDirectory(settings.SdkPath);
    project.AssemblerDirectory = settings.AssemblerPath;
    project.DetailsEditable = true;
}

void SetFolderName(ProjectRecord& project, std::string folderName, const ToolSettings& settings) {
    project.FolderName = std::move(folderName);
    DeriveProjectDirectories(project, settings);
}

ProjectRecord StartupProject(const ToolSettings& settings) {
    ProjectRecord project;
    project.VersionRequired = Trimmed(settings.FirmwareVersion);
    BuildFileTree(project.Files, settings.NumberOfStates);
    return project;
}

std::string ScriptPath(const ProjectRecord& project) {
    return BuildDirectoryFile(project, ScriptName(Trimmed(project.FolderName)));
}

}  // namespace cuffware
