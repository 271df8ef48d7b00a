#pragma once
// What lc88 does, apart from files: gives every section its address (its
// own from AT; a section without one follows the section before it, the
// first at 0), checks that no two overlap and all lie in the 24-bit space,
// fills every field the assembler left to it and turns the globals into
// addresses.

#include <string>

#include "platform/result.h"
#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

// The module with every section placed, no relocations left, and every
// global a number. A field whose value does not fit is reported at the
// source line that wrote it ("clock.asm:12: JRS rr reaches ...").
Result<ObjectModule> Locate(ObjectModule linked, const std::string& fileName);

}  // namespace cuffware::toolchain
