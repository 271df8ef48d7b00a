#pragma once
// The File menu: New, Open and Save, without a window.

#include <string>

#include "app/workbench.h"

namespace cuffware {

inline constexpr const char* kScriptFilter = "Cuffware Builder Script File (*.scr)|*.scr";

// An empty project: every category empty, texts empty, VersionRequired
// "740018", both flags clear, the file buttons disabled, status "Ready".
void NewProject(Workbench& bench);

// The folder part of a path (host path or path text), "" when it has none.
std::string FolderOf(const std::string& path);

// Where an open-file dialog starts: the folder it last took a file from,
// else the project's directory for that kind of file (trimmed).
std::string StartingFolder(const std::string& lastFolder, const std::string& projectDirectory);

// Asks for a script, starting in the build directory or where the last
// script came from, and restores it. Cancelling changes nothing.
// Returns true when a script was restored.
bool OpenProjectScript(Workbench& bench);

// Replaces the open project with the script at path. A script that cannot be
// read is reported with its path and line, and the open project stays as it
// was. Returns true when the project was replaced.
bool RestoreProjectScript(Workbench& bench, const std::string& path);

// Writes the open project to BuildDirectory\FolderName.scr, creating the
// build directory's last level first. Returns true when the script was
// written.
bool SaveProjectScript(Workbench& bench);

}  // namespace cuffware
