#pragma once
// docs/instruction-set.md, made at build time from the project's own tables
// (isa/instructions.tsv and isa/semantics.tsv): every form with its bytes,
// length, cycles and the flags it changes, grouped as the semantics group
// them.

#include <string>

namespace cuffware::simulator {

std::string InstructionSetDocument();

}  // namespace cuffware::simulator
