#pragma once
// A workbench on the disk, with what it starts and shows recorded, and a fresh
// directory for its files.

#include <gtest/gtest.h>

#include <string>

#include "app/actions/workbench.h"
#include "platform/file_system.h"
#include "support/recording_processes.h"
#include "support/recording_user_port.h"
#include "support/temp_dir.h"

namespace cuffware::testing {

class WorkbenchFixture : public ::testing::Test {
  protected:
    WorkbenchFixture() : bench(DiskFileSystem(), processes, user) {}

    // Loads dir/builder.ini holding these lines and forgets what loading showed.
    void LoadSettings(const std::string& lines) {
        dir.Write("builder.ini", lines);
        LoadWorkbench(bench, dir / "builder.ini");
        user.shown.clear();
    }

    TempDir dir;
    RecordingUserPort user;
    RecordingProcesses processes;
    Workbench bench;
};

}  // namespace cuffware::testing
