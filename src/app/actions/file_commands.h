#pragma once
// The File menu: New, Open and Save, without a window.

#include <string>

#include "app/actions/workbench.h"

namespace cuffware {

// An empty project: every category empty, texts empty, VersionRequired
// "740018", both flags clear, status "Ready".
void NewProject(Workbench& bench);

// Replaces the open project with the script at path. A script that cannot be
// read is reported with its path and line, and the open project stays as it
// was. Returns true when the project was replaced.
bool RestoreProjectScript(Workbench& bench, const std::string& path);

// Writes the open project to BuildDirectory\FolderName.scr, creating the
// build directory's last level first. Returns true when the script was
// written.
bool SaveProjectScript(Workbench& bench);

}  // namespace cuffware
