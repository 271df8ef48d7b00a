#pragma once
// The generated section sources: common.asm, state<N>.asm and param.asm.
// They hold no code of their own, only the assembler's controls, the
// INCLUDE lists and the section frame.

#include <cstdint>

#include "generate/generated_file.h"
#include "project/project_record.h"

namespace cuffware {

// Build directory + "\common.asm": the common section, placed at the SDK's
// overlay address, with the background files first, then the common files.
GeneratedFile FileCreate_COMMON_ASM(const ProjectRecord& project);

// Build directory + "\state<N>.asm" for the category with node number
// StateIndex = 6 + N.
GeneratedFile FileCreate_STATE_ASM(const ProjectRecord& project, int16_t StateIndex);

// Build directory + "\param.asm": the state frame over the parameter category.
GeneratedFile FileCreate_PARAM_ASM(const ProjectRecord& project);

}  // namespace cuffware
