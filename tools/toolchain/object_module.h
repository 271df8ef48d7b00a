#pragma once
// One assembled section with its global symbols, and the text formats that
// carry it from as88 (.obj) through lk88 (.out) to lc88. Both are line
// oriented, CR LF, with a first line naming the stage:
//   AS88 OBJECT 1 | LK88 LINKED 1
//   SOURCE common.asm
//   SECTION .text 010000 500        (name, hex address, decimal size)
//   BYTES 0000 CE40CE...            (hex offset, up to 32 bytes in hex)
//   GLOBAL CommonCodeEnd 0101F4     (name, hex value)
//   END

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace cuffware::toolchain {

struct GlobalSymbol {
    std::string name;
    long long value = 0;
};

struct ObjectModule {
    std::string source;
    std::string sectionName;
    long long address = 0;
    std::string bytes;
    std::vector<GlobalSymbol> globals;
};

enum class ModuleStage { kObject, kLinked };

std::string FormatModule(const ObjectModule& module, ModuleStage stage);

// Reads a module back; fileName names it in diagnostics. A text of the
// other stage, a malformed line, or bytes that do not add up to the
// section's size fail with the line.
Result<ObjectModule> ParseModule(std::string_view text, ModuleStage stage,
                                 const std::string& fileName);

// Upper-case hex of value with at least width digits.
std::string Hex(long long value, int width);

}  // namespace cuffware::toolchain
