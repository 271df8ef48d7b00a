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
#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

// The map of a located module.
std::string FormatMap(const ObjectModule& module, std::string_view outputName);

// What a map says, as dis88 uses it.
struct MapSection {
    std::string name;
    long long start = 0;
    long long size = 0;
    std::string kind;  // CODE or DATA; empty in a map that does not say
};
struct LocateMap {
    std::vector<MapSection> sections;
    std::vector<GlobalSymbol> labels;   // every label, in the map's order
    std::vector<GlobalSymbol> symbols;  // the global symbols
};
Result<LocateMap> ReadMap(std::string_view text, const std::string& fileName);

// The global symbols of a map (maplist's input).
Result<std::vector<GlobalSymbol>> MapSymbols(std::string_view text, const std::string& fileName);

// The "NAME equ VALUE" lines of an equate file (labelset's NAME.equ, or an
// SDK header), in any case; every other line is passed over.
std::vector<GlobalSymbol> EquatesIn(std::string_view text);

std::string FormatSymbolList(const std::vector<GlobalSymbol>& symbols);
Result<std::vector<GlobalSymbol>> ReadSymbolList(std::string_view text,
                                                 const std::string& fileName);

std::string FormatEquates(const std::vector<GlobalSymbol>& symbols);

}  // namespace cuffware::toolchain
