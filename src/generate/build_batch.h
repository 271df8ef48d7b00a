#pragma once
// The build batch and the option files it hands to the cross toolchain.

#include <array>

#include "generate/state_number.h"
#include "project/build_files.h"
#include "project/project_record.h"
#include "project/tool_settings.h"

namespace cuffware {

// Build directory + "\build.bat": clean up, build the common section and
// derive comminc.h from its map, build states 0 to highestState, build the
// parameter section, delete the temporary files.
GeneratedFile ComposeBuildBatch(const ProjectRecord& project, const ToolSettings& settings,
                                StateNumber highestState);

// Build directory + "\ascmd.cmd", "\lkcmd.cmd" and "\lccmd.cmd", one line each.
std::array<GeneratedFile, 3> ComposeToolOptionFiles(const ProjectRecord& project);

}  // namespace cuffware
