#pragma once
// The listing of a module: each listed source line with its line number, the
// address it lands at, the bytes it gives (four a row, more on rows of their
// own, at most 64 and then how many in all), an instruction's cycles ("3",
// or "3/2" taken/not taken) and the text, under a heading for each file as
// the lines move into it.
//   ; FILE clock.asm
//       12  010034  CE 40 05     3    LD A,[IX+5]
// Before the module is located (as88's own listing) an address in a section
// the locator places is "+" and the offset in the section ("+00012"), and a
// byte the locator fills is "xx". lc88 lists the located module again: every
// address and byte as in the S-records.

#include <string>

#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

std::string FormatListing(const ObjectModule& module);

}  // namespace cuffware::toolchain
