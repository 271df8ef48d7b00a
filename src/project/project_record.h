#pragma once
// The one open project.

#include <string>

#include "project/file_tree.h"
#include "project/tool_settings.h"

namespace cuffware {

inline constexpr const char* kNewProjectVersion = "740018";
inline constexpr int kBannerLineMaxLength = 29;
inline constexpr int kVersionRequiredMaxLength = 6;

struct ProjectRecord {
    std::string ApplicationName;
    std::string FolderName;
    std::string Description;
    std::string BannerLine1;
    std::string BannerLine2;
    std::string VersionRequired;
    int PasswordSupport = 0;
    int DatabaseSupport = 0;
    std::string PCInterface;
    std::string HeaderDirectory;
    std::string SourceDirectory;
    std::string BuildDirectory;
    std::string IncludeDirectory;
    std::string AssemblerDirectory;
    FileTree Files;

    // Description, the banner lines, PCInterface and the five directories
    // become editable with the first non-blank folder name and stay so.
    bool DetailsEditable = false;
};

// Runs on every change of FolderName: with a non-blank name, stores it
// trimmed, fills the five directories from the settings and unlocks the
// detail fields. A blank name changes nothing.
void DeriveProjectDirectories(ProjectRecord& project, const ToolSettings& settings);

// Assigns FolderName and runs the derivation, as typing or a restore does.
void SetFolderName(ProjectRecord& project, std::string folderName, const ToolSettings& settings);

// The project as start-up shows it: empty fields, the settings' firmware
// version trimmed, the fixed categories.
ProjectRecord StartupProject(const ToolSettings& settings);

// BuildDirectory trimmed + "\" + FolderName trimmed + ".scr".
std::string ScriptPath(const ProjectRecord& project);

}  // namespace cuffware
