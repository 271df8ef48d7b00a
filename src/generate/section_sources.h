#pragma once
// The generated section sources: common.asm, state<N>.asm and param.asm.
// They hold no code of their own, only the assembler's controls, the
// INCLUDE lists and the section frame.

#include <cstdint>

#include "project/build_files.h"
#include "project/project_record.h"

namespace cuffware {

// Build directory + "\common.asm": the common section, placed at the SDK's
// overlay address, with the background files first, then the common files.
GeneratedFile ComposeCommonSource(const ProjectRecord& project);

// Build directory + "\state<N>.asm" for the category with node number
// categoryNode = 6 + N.
GeneratedFile ComposeStateSource(const ProjectRecord& project, int16_t categoryNode);

// Build directory + "\param.asm": the state frame over the parameter category.
GeneratedFile ComposeParameterSource(const ProjectRecord& project);

}  // namespace cuffware
