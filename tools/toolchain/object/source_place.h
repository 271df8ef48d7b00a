#pragma once
// Where a relocation was written, for the messages of lk88 and lc88.

#include <string>

#include "platform/result.h"

namespace cuffware::toolchain {

// where ("clock.asm:12", as the object records it) as a diagnostic's file
// and line; a relocation that records no place is reported at fallback (the
// object or linked file).
Diagnostic AtSource(const std::string& where, const std::string& fallback, std::string message);

}  // namespace cuffware::toolchain
