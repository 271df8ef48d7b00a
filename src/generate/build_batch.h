#pragma once
// The build batch and the option files it hands to the cross toolchain.

#include <array>

#include "generate/generated_file.h"
#include "generate/state_number.h"
#include "project/project_record.h"
#include "project/tool_settings.h"

namespace cuffware {

// Build directory + "\build.bat": clean up, build the common section and
// derive comminc.h from its map, build states 0 to MaxStateIndex, build the
// parameter section, delete the temporary files.
GeneratedFile FileCreate_BUILD_BAT(const ProjectRecord& project, const ToolSettings& settings,
                                   StateNumber MaxStateIndex);

// Build directory + "\ascmd.cmd", "\lkcmd.cmd" and "\lccmd.cmd", one line each.
std::array<GeneratedFile, 3> FileCreate_COMMANDSCRIPT(const ProjectRecord& project);

}  // namespace cuffware
