#pragma once
// Bytes back into instructions, in the assembler's own notation, so a
// disassembled program assembles again to the same bytes: values in hex
// (#0x0F, [0x1234], [BR:0x10], [IX-0x05]), branch targets as 24-bit
// addresses in the branch's bank. A code no instruction starts with, or an
// instruction cut short by the end, is one "DB 0x.." line per byte.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cuffware::toolchain {

struct DisassembledLine {
    long long address = 0;
    std::string bytes;  // the raw bytes
    std::string text;   // "LD A,[IX+0x05]" or "DB 0x7C"
};

// The name for a branch's target address, or nullopt to print the address.
using TargetNamer = std::function<std::optional<std::string>(long long address)>;

// Each line in turn, without keeping them: the memory used does not grow
// with the bytes.
void DisassembleEach(std::span<const unsigned char> bytes, long long base, const TargetNamer& name,
                     const std::function<void(const DisassembledLine&)>& line);

// As DisassembleEach, for bytes that may go on past the span (a block of a
// file): stops before the first line that might not lie whole in it, and
// returns how many bytes the lines took.
size_t DisassembleWhole(std::span<const unsigned char> bytes, long long base,
                        const TargetNamer& name,
                        const std::function<void(const DisassembledLine&)>& line);

std::vector<DisassembledLine> Disassemble(std::span<const unsigned char> bytes, long long base);

// "010000  CE 40 05     " : the address and the bytes, as a listing shows them.
std::string AddressAndBytes(const DisassembledLine& line);

// "010000  CE 40 05     LD A,[IX+0x05]", one line each, LF-separated.
std::string FormatDisassembly(const std::vector<DisassembledLine>& lines);

}  // namespace cuffware::toolchain
