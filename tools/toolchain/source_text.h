#pragma once
// A line of source as the assembler keeps it: the file it was read from
// (an index into the files read), its number there, and its text.

#include <cstddef>
#include <string>

namespace cuffware::toolchain {

struct SourceLine {
    size_t file;
    int number;
    std::string text;
};

}  // namespace cuffware::toolchain
