#pragma once
// A line of source as the assembler keeps it: the file it was read from
// (an index into the files read), its number there, its text, and its
// place in the source.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cuffware::toolchain {

// 32 bytes: a source of a quarter million lines holds as many of these.
struct SourceLine {
    uint32_t file;  // index into the files read (fewer than the lines a run reads)
    int number;
    // A view of the file's text, which SourceFiles keeps for the run (a
    // line a macro or REPT block expands to: of the text the assembler keeps
    // for it), so no line is copied.
    std::string_view text;
    size_t order;  // the place of the line (or of the macro call it comes from) in the source
};

}  // namespace cuffware::toolchain
