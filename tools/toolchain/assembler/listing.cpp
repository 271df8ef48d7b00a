#include "toolchain/assembler/listing.h"

#include <algorithm>
#include <cstdio>

#include "platform/text_file.h"

namespace cuffware::toolchain {

namespace {

constexpr size_t kBytesPerRow = 4;
constexpr size_t kMostBytesShown = 64;  // a large DS is not spelt out
constexpr std::string_view kUnfilled = "xx";

// Which bytes of the section a field still to fill covers.
std::vector<bool> Unfilled(const Section& section) {
    std::vector<bool> unfilled(section.bytes.size(), false);
    for (const Relocation& r : section.relocations) {
        for (size_t i = 0; i < static_cast<size_t>(FieldSize(r.kind)); ++i)
            unfilled[r.offset + i] = true;
    }
    return unfilled;
}

// Hex pairs of count bytes of the section from offset, "xx" where unfilled.
std::string ByteTexts(const Section& section, const std::vector<bool>& unfilled, size_t offset,
                      size_t count) {
    std::string text;
    for (size_t i = offset; i < offset + count; ++i)
        text += (unfilled[i] ? std::string(kUnfilled)
                             : Hex(static_cast<unsigned char>(section.bytes[i]), 2)) +
                " ";
    return text;
}

std::string AddressText(const Section& section, size_t offset) {
    if (section.address)
        return Hex(*section.address + static_cast<long long>(offset), 6);
    return "+" + Hex(static_cast<long long>(offset), 5);
}

std::string Row(const std::string& number, const std::string& address, const std::string& bytes,
                const std::string& cycles, std::string_view text) {
    constexpr size_t kCyclesColumn = 16 + kBytesPerRow * 3 + 1;
    char head[64];
    std::snprintf(head, sizeof head, "%6s  %6s  ", number.c_str(), address.c_str());
    std::string row = head + bytes;
    row.resize(kCyclesColumn, ' ');
    row += cycles;
    row.resize(std::max(row.size() + 1, kCyclesColumn + 5), ' ');
    if (text.empty()) {
        while (!row.empty() && row.back() == ' ')
            row.pop_back();
    }
    return row + std::string(text);
}

void ListLine(const ListedLine& line, const ObjectModule& module,
              const std::vector<std::vector<bool>>& unfilled, TextFile& file) {
    std::string number = std::to_string(line.line);
    if (!line.section) {
        file.Line(Row(number, {}, {}, line.cycles, line.text));
        return;
    }
    const Section& section = module.sections[*line.section];
    const std::vector<bool>& open = unfilled[*line.section];
    size_t shown = std::min(line.size, kMostBytesShown);
    file.Line(Row(number, AddressText(section, line.offset),
                  ByteTexts(section, open, line.offset, std::min(kBytesPerRow, shown)), line.cycles,
                  line.text));
    for (size_t at = kBytesPerRow; at < shown; at += kBytesPerRow) {
        file.Line(
            Row({}, AddressText(section, line.offset + at),
                ByteTexts(section, open, line.offset + at, std::min(kBytesPerRow, shown - at)), {},
                {}));
    }
    if (shown < line.size)
        file.Line(Row({}, {}, {}, {}, "(" + std::to_string(line.size) + " bytes in all)"));
}

}  // namespace

std::string FormatListing(const ObjectModule& module) {
    std::vector<std::vector<bool>> unfilled;
    for (const Section& section : module.sections)
        unfilled.push_back(Unfilled(section));
    TextFile file;
    std::optional<size_t> lastFile;
    for (const ListedLine& line : module.listing) {
        if (lastFile != line.file) {
            file.Line("; FILE " + module.listedFiles[line.file]);
            lastFile = line.file;
        }
        ListLine(line, module, unfilled, file);
    }
    return file.Text();
}

}  // namespace cuffware::toolchain
