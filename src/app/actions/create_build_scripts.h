#pragma once

#include "app/actions/workbench.h"

namespace cuffware {

// "Create Build Scripts": checks the project, writes the tool option files,
// the application descriptor, the section sources and build.bat into the
// build directory, saves the builder script and sets the highest state built.
// Returns true after the success message; false after a refusal or failure.
bool CreateBuildScripts(Workbench& bench);

}  // namespace cuffware
