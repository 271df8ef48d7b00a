#pragma once
// Assembles a few lines in memory, in one section at a fixed address, and
// gives its bytes, or the message as as88 would print it.

#include <string>

#include "toolchain/assembler/assembler.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain::testing {

struct AssembledText {
    bool ok = false;
    std::string bytes;    // when ok
    std::string message;  // when not: "t.asm:3: reason"
};

inline AssembledText AssembleLines(const std::string& lines, long long address = 0x10000) {
    std::string source =
        "  DEFSECT \".text\", CODE AT " + std::to_string(address) + "\n  SECT \".text\"\n" + lines;
    Result<Assembly> assembly =
        Assemble("t.asm", [&](const std::string&) -> Result<std::string> { return source; });
    if (!assembly)
        return {false, {}, MessageText(assembly.error())};
    return {true, assembly->module.sections[0].bytes, {}};
}

}  // namespace cuffware::toolchain::testing
