#pragma once
// cuffware new FOLDER [--states N]: a project that builds at once, with its
// directories below the SDK's app folder, starter sources and the builder
// script. Nothing that exists is overwritten.

#include <string>
#include <vector>

#include "app/command_line/headless.h"

namespace cuffware {

struct NewProjectRequest {
    std::string folder;
    int stateCount = 1;  // states 0 to stateCount - 1
};

// FOLDER and the optional --states N, N from 1 to maxStateCount. The folder
// name must be one plain folder (project/folder_name.h).
Result<NewProjectRequest> ParseNewProjectOperands(const std::vector<std::string>& operands,
                                                  int maxStateCount);

int RunNewProject(HeadlessContext& context);

}  // namespace cuffware
