#pragma once
// The Workbench is what every action works on: the one open project and the
// tool settings, with the ports the actions report and work through. Each
// action of the main window is a free function over a Workbench, in a file
// of its own; the window model and the headless command both drive them.

#include <string>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/run_lock.h"
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

    // How long an action waits for another run to leave the build directory.
    int runLockPatienceMs = 3000;

    // The build directory's lock while a run of several actions holds it
    // (see BuildDirectoryRun in build_directory_lock.h); else it holds nothing.
    RunLock runHold;
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
