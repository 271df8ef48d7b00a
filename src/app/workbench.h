#pragma once
// The Workbench is what the main window owns beside its controls: the one
// open project, the tool settings, the highest state built and the code
// image length, with the ports every action reports and works through. Each
// action of the main window is a free function over a Workbench, in a file
// of its own; MainWindowModel drives them as the window does.

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/user_port.h"
#include "project/project_record.h"
#include "project/tool_settings.h"

namespace cuffware {

struct Workbench {
    Workbench(FileSystem& files, ProcessStarter& processes, UserPort& user)
        : files(files), processes(processes), user(user) {}

    FileSystem& files;
    ProcessStarter& processes;
    UserPort& user;

    // Where builder.ini is read from and written to.
    std::string settingsPath;

    ToolSettings settings;
    ProjectRecord project;
    // The highest state number the last Create Build Scripts built.
    int16_t maxStateIndex = 0;
    // The code image's length from the last Create Cuffware.
    uint32_t codeImageLength = 0;

    // How long an action waits for another run to leave the build directory.
    int runLockPatienceMs = 3000;

    // "Add File" and "Remove File": enabled by a selection in the tree,
    // disabled by New and Open.
    bool fileButtonsEnabled = false;

    // The folders Open and Add File last took a file from: each dialog opens
    // there again (before the first choice, in the build directory and the
    // source directory).
    std::string lastScriptFolder;
    std::string lastSourceFolder;
};

// The window's load: status "Ready", the tool settings read (builder.ini
// created when missing), VersionRequired from them, the tree built. A
// settings file that can neither be read nor created, or that holds an
// unusable number of states, is reported and the defaults are used.
void LoadWorkbench(Workbench& bench, const std::string& settingsPath);

// Every action that works on the project's files first asks for a folder
// name: true when it is not blank; otherwise false, and the status says
// "Application not specified".
bool FolderNamed(Workbench& bench);

// Makes the build directory's last level when it is missing. A directory
// that cannot be made shows as the first file that cannot be written into
// it, with the system's reason.
void MakeBuildDirectory(Workbench& bench);

}  // namespace cuffware
