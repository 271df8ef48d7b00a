#include "toolchain/assembler/listing.h"

#include <algorithm>
#include <charconv>

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

// Hex pairs of count bytes of the section from offset, "xx" where unfilled,
// into bytes (whose room is kept from row to row).
void ByteTexts(const Section& section, const std::vector<bool>& unfilled, size_t offset,
               size_t count, std::string& bytes) {
    bytes.clear();
    for (size_t i = offset; i < offset + count; ++i) {
        if (unfilled[i])
            bytes += kUnfilled;
        else
            AppendHexOfBytes(std::string_view(&section.bytes[i], 1), bytes);
        bytes += ' ';
    }
}

void AddressText(const Section& section, size_t offset, std::string& address) {
    address.clear();
    if (section.address) {
        AppendHex(*section.address + static_cast<long long>(offset), 6, address);
        return;
    }
    address += '+';
    AppendHex(static_cast<long long>(offset), 5, address);
}

// text right-aligned in width columns, as printf's %6s does for width 6.
void AppendRightAligned(std::string_view text, size_t width, std::string& row) {
    if (text.size() < width)
        row.append(width - text.size(), ' ');
    row += text;
}

// One row into row, whose room is kept from row to row: a listing of a
// quarter million lines is that many rows, each made with no new string.
void Row(std::string_view number, std::string_view address, std::string_view bytes,
         std::string_view cycles, std::string_view text, std::string& row) {
    constexpr size_t kCyclesColumn = 16 + kBytesPerRow * 3 + 1;
    row.clear();
    AppendRightAligned(number, 6, row);
    row += "  ";
    AppendRightAligned(address, 6, row);
    row += "  ";
    row += bytes;
    row.resize(kCyclesColumn, ' ');
    row += cycles;
    row.resize(std::max(row.size() + 1, kCyclesColumn + 5), ' ');
    if (text.empty()) {
        while (!row.empty() && row.back() == ' ')
            row.pop_back();
    }
    row += text;
}

// The texts a listed line is put together in, their room kept.
struct RowTexts {
    std::string row;
    std::string address;
    std::string bytes;
};

void ListLine(const ListedLine& line, const ObjectModule& module,
              const std::vector<std::vector<bool>>& unfilled, TextFile& file, RowTexts& texts) {
    char digits[16];
    std::string_view number(
        digits,
        static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, line.line).ptr - digits));
    if (!line.section) {
        Row(number, {}, {}, line.cycles, line.text, texts.row);
        file.Line(texts.row);
        return;
    }
    const Section& section = module.sections[*line.section];
    const std::vector<bool>& open = unfilled[*line.section];
    size_t shown = std::min(line.size, kMostBytesShown);
    AddressText(section, line.offset, texts.address);
    ByteTexts(section, open, line.offset, std::min(kBytesPerRow, shown), texts.bytes);
    Row(number, texts.address, texts.bytes, line.cycles, line.text, texts.row);
    file.Line(texts.row);
    for (size_t at = kBytesPerRow; at < shown; at += kBytesPerRow) {
        AddressText(section, line.offset + at, texts.address);
        ByteTexts(section, open, line.offset + at, std::min(kBytesPerRow, shown - at), texts.bytes);
        Row({}, texts.address, texts.bytes, {}, {}, texts.row);
        file.Line(texts.row);
    }
    if (shown < line.size) {
        Row({}, {}, {}, {}, "(" + std::to_string(line.size) + " bytes in all)", texts.row);
        file.Line(texts.row);
    }
}

}  // namespace

std::string FormatListing(const ObjectModule& module) {
    std::vector<std::vector<bool>> unfilled;
    for (const Section& section : module.sections)
        unfilled.push_back(Unfilled(section));
    TextFile file;
    // Room for every row at once (the columns before the text, the text and
    // the line end): a text that doubles as it grows copies itself again.
    size_t room = 0;
    for (const ListedLine& line : module.listing)
        room += 40 + line.text.size();
    file.Reserve(room);
    RowTexts texts;
    std::optional<size_t> lastFile;
    for (const ListedLine& line : module.listing) {
        if (lastFile != line.file) {
            file.Line("; FILE " + module.listedFiles[line.file]);
            lastFile = line.file;
        }
        ListLine(line, module, unfilled, file, texts);
    }
    return file.Text();
}

}  // namespace cuffware::toolchain
