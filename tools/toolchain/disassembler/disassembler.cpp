#include "toolchain/disassembler/disassembler.h"

#include <algorithm>
#include <cstdio>

#include "toolchain/isa/hex_text.h"
#include "toolchain/isa/instruction_set.h"

namespace cuffware::toolchain {

namespace {

// The operand bytes of the instruction at bytes[0], by placeholder.
long long FieldValue(const InstructionForm& form, std::span<const unsigned char> bytes,
                     std::string_view low, std::string_view high = {}) {
    long long value = 0;
    for (size_t i = 0; i < form.fields.size(); ++i) {
        unsigned char byte = bytes[form.opcode.size() + i];
        if (form.fields[i] == low)
            value |= byte;
        else if (!high.empty() && form.fields[i] == high)
            value |= static_cast<long long>(byte) << 8;
    }
    return value;
}

long long Signed(long long value, int bytes) {
    long long half = 1LL << (8 * bytes - 1);
    return value >= half ? value - 2 * half : value;
}

std::string OperandText(const InstructionForm& form, const FormOperand& operand,
                        std::span<const unsigned char> bytes, long long address,
                        const TargetNamer& name) {
    const OperandKindRow* row = operand.row;
    if (!row)
        return operand.text;
    long long value = FieldValue(form, bytes, row->low, row->high);
    if (row->IsSigned())
        value = Signed(value, row->Bytes());
    if (row->IsBranch()) {
        long long target = BranchTarget(address + form.length - 1, value);
        if (std::optional<std::string> named = name ? name(target) : std::nullopt)
            return *named;
        return row->Written(target);
    }
    return row->Written(value);
}

std::string Text(const InstructionForm& form, std::span<const unsigned char> bytes,
                 long long address, const TargetNamer& name) {
    std::string text = form.mnemonic;
    for (size_t i = 0; i < form.operands.size(); ++i)
        text += (i == 0 ? " " : ",") + OperandText(form, form.operands[i], bytes, address, name);
    return text;
}

}  // namespace

namespace {

// The most bytes one line takes: the longest instruction.
size_t LongestLine() {
    static const size_t longest = [] {
        size_t most = 2;  // an undefined code behind CE or CF
        for (const InstructionForm& form : InstructionForms())
            most = std::max(most, static_cast<size_t>(form.length));
        return most;
    }();
    return longest;
}

// The lines that start before stop; returns where the next one starts.
size_t DisassembleUpTo(std::span<const unsigned char> bytes, size_t stop, long long base,
                       const TargetNamer& name,
                       const std::function<void(const DisassembledLine&)>& each) {
    size_t pos = 0;
    while (pos < stop) {
        std::span<const unsigned char> rest = bytes.subspan(pos);
        long long address = base + static_cast<long long>(pos);
        const InstructionForm* form = FormAt(rest);
        if (!form || static_cast<size_t>(form->length) > rest.size()) {
            // An undefined code behind CE or CF is two bytes, as the processor reads it.
            bool prefixed = !form && rest.size() >= 2 && (rest[0] == 0xCE || rest[0] == 0xCF);
            size_t length = prefixed ? 2 : 1;
            std::string text = "DB " + HexLiteral(rest[0], 2);
            if (prefixed)
                text += "," + HexLiteral(rest[1], 2);
            each({address, std::string(rest.begin(), rest.begin() + length), text});
            pos += length;
            continue;
        }
        size_t length = static_cast<size_t>(form->length);
        each({address, std::string(rest.begin(), rest.begin() + length),
              Text(*form, rest, address, name)});
        pos += length;
    }
    return pos;
}

}  // namespace

void DisassembleEach(std::span<const unsigned char> bytes, long long base, const TargetNamer& name,
                     const std::function<void(const DisassembledLine&)>& each) {
    DisassembleUpTo(bytes, bytes.size(), base, name, each);
}

size_t DisassembleWhole(std::span<const unsigned char> bytes, long long base,
                        const TargetNamer& name,
                        const std::function<void(const DisassembledLine&)>& each) {
    size_t longest = LongestLine();
    return bytes.size() < longest
               ? 0
               : DisassembleUpTo(bytes, bytes.size() - longest + 1, base, name, each);
}

std::vector<DisassembledLine> Disassemble(std::span<const unsigned char> bytes, long long base) {
    std::vector<DisassembledLine> lines;
    DisassembleEach(bytes, base, nullptr,
                    [&lines](const DisassembledLine& line) { lines.push_back(line); });
    return lines;
}

std::string AddressAndBytes(const DisassembledLine& line) {
    char address[16];
    std::snprintf(address, sizeof address, "%06llX  ", line.address);
    std::string bytes;
    for (char byte : line.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(byte));
        bytes += hex;
    }
    bytes.resize(13, ' ');
    return address + bytes;
}

std::string FormatDisassembly(const std::vector<DisassembledLine>& lines) {
    std::string text;
    for (const DisassembledLine& line : lines)
        text += AddressAndBytes(line) + line.text + "\n";
    return text;
}

}  // namespace cuffware::toolchain
