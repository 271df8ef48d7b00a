#pragma once
// The three files that carry the common section's global symbols to the
// state sections, all CR LF text:
//   NAME.map (lc88)       LC88 LOCATE MAP / OUTPUT name.sre /
//                         SECTION .text START 010000 SIZE 500 (a line each) /
//                         SYMBOL CommonCodeEnd 0101F4 ... / END
//   NAME.sy (maplist)     "CommonCodeEnd 0101F4", one symbol a line
//   NAME.equ (labelset)   "CommonCodeEnd equ 0x0101F4", one equate a line

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "toolchain/object_module.h"

namespace cuffware::toolchain {

// The map of a located module.
std::string FormatMap(const ObjectModule& module, std::string_view outputName);
Result<std::vector<GlobalSymbol>> MapSymbols(std::string_view text, const std::string& fileName);

std::string FormatSymbolList(const std::vector<GlobalSymbol>& symbols);
Result<std::vector<GlobalSymbol>> ReadSymbolList(std::string_view text,
                                                 const std::string& fileName);

std::string FormatEquates(const std::vector<GlobalSymbol>& symbols);

}  // namespace cuffware::toolchain
