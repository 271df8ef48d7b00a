#pragma once
// A line of source as the assembler keeps it: the file it was read from
// (an index into the files read), its number there, its text, and its
// place in the source.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cuffware::toolchain {

// 24 bytes: a source of a quarter million lines holds as many of these, and
// every page of them is a page fault.
struct SourceLine {
    uint32_t file;  // index into the files read (fewer than the lines a run reads)
    int number;
    // The text: a view of the file's text, which SourceFiles keeps for the
    // run (a line a macro or REPT block expands to: of the text the assembler
    // keeps for it), so no line is copied; its start and length apart, as a
    // line is shorter than a file (16 MiB at most).
    const char* textStart;
    uint32_t textLength;
    uint32_t order;  // the place of the line (or of the macro call it comes from) in the source

    std::string_view Text() const { return {textStart, textLength}; }
    void SetText(std::string_view text) {
        textStart = text.data();
        textLength = static_cast<uint32_t>(text.size());
    }
};

}  // namespace cuffware::toolchain
