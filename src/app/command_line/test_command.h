#pragma once
// cuffware test SCRIPT: builds the project unless its build is up to date,
// then runs the routine tests of its test folder on the simulator.

#include <string>

#include "app/command_line/headless.h"
#include "project/project_record.h"

namespace cuffware {

// The folder the project's test files (*.tst) live in: "test" beside its
// source folder.
std::string TestDirectory(const ProjectRecord& project);

// Up to date: the S-records and the map of every code section are there
// and none is older than the builder script or any file of the project's
// tree.
bool BuildIsUpToDate(const ProjectRecord& project);

int RunTests(HeadlessContext& context);

}  // namespace cuffware
