#pragma once
// The Workbench is what the main window owns beside its controls: the one
// open project, the tool settings, MaxStateIndex and the code image length,
// with the ports every action reports and works through. Each action of the
// main window is a free function over a Workbench, in a file of its own.

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
    int16_t MaxStateIndex = 0;
    uint32_t CodeImageLength = 0;

    // How long an action waits for another run to leave the build directory.
    int RunLockPatienceMs = 3000;

    // "Add File" and "Remove File": enabled by a selection in the tree,
    // disabled by New and Open.
    bool FileButtonsEnabled = false;
};

// The window's load: status "Ready", the tool settings read (builder.ini
// created when missing), VersionRequired from them, the tree built. A
// settings file that can neither be read nor created, or that holds an
// unusable number of states, is reported and the defaults are used.
void LoadWorkbench(Workbench& bench, const std::string& settingsPath);

// Typing in "Folder Name".
void TextFolderName_Change(Workbench& bench, const std::string& text);

}  // namespace cuffware
