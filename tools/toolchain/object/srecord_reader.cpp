#include "toolchain/object/srecord_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "toolchain/isa/hex_text.h"

namespace cuffware {

namespace {

constexpr uint8_t kNotHex = 0xFF;

constexpr std::array<uint8_t, 256> HexDigitTable() {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        if (c >= '0' && c <= '9')
            table[c] = static_cast<uint8_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            table[c] = static_cast<uint8_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            table[c] = static_cast<uint8_t>(c - 'a' + 10);
        else
            table[c] = kNotHex;
    }
    return table;
}

constexpr std::array<uint8_t, 256> kHexDigit = HexDigitTable();

uint8_t Digit(char c) {
    return kHexDigit[static_cast<unsigned char>(c)];
}

// The two-character field at line[pos], cut short by a character that is not
// a hexadecimal digit or by the end of the line.
uint8_t HexField(std::string_view line, size_t pos) {
    if (pos >= line.size() || Digit(line[pos]) == kNotHex)
        return 0;
    const uint8_t high = Digit(line[pos]);
    if (pos + 1 >= line.size() || Digit(line[pos + 1]) == kNotHex)
        return high;
    return static_cast<uint8_t>(high << 4 | Digit(line[pos + 1]));
}

constexpr size_t kCountPosition = 2;
constexpr size_t kDataPosition = 10;

void AppendRecordData(std::string_view line, std::string& out) {
    const int count = HexField(line, kCountPosition);
    if (count <= 4)
        return;
    const size_t n = static_cast<size_t>(count - 4);
    const size_t start = out.size();
    out.resize(start + n);
    char* data = out.data() + start;

    // The bytes whose two digits both lie on the line take the quick way
    // unless one of the digits is not hexadecimal.
    const size_t onLine = line.size() > kDataPosition ? (line.size() - kDataPosition) / 2 : 0;
    const size_t whole = onLine < n ? onLine : n;
    const char* digits = line.data() + kDataPosition;
    for (size_t i = 0; i < whole; ++i) {
        const uint8_t high = Digit(digits[2 * i]);
        const uint8_t low = Digit(digits[2 * i + 1]);
        data[i] = static_cast<char>(
            ((high | low) & 0x80) == 0 ? high << 4 | low : HexField(line, kDataPosition + 2 * i));
    }
    for (size_t i = whole; i < n; ++i)
        data[i] = static_cast<char>(HexField(line, kDataPosition + 2 * i));
}

bool IsS2Record(std::string_view line) {
    return line.size() >= 2 && (line[0] == 'S' || line[0] == 's') && line[1] == '2';
}

// Hands each line of text to take with its number; lines end at LF, CR or
// CR LF.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    const char* const end = text.data() + text.size();
    const char* pos = text.data();
    int number = 0;
    while (pos < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(pos, '\n', end - pos));
        if (!lineEnd)
            lineEnd = end;
        const char* cr = static_cast<const char*>(std::memchr(pos, '\r', lineEnd - pos));
        const bool crLf = cr && cr + 1 == lineEnd;
        if (cr)
            lineEnd = cr;
        take(std::string_view(pos, static_cast<size_t>(lineEnd - pos)), ++number);
        pos = lineEnd + (crLf ? 2 : 1);
    }
}

// The bytes a data record (S1, S2, S3) writes: from address, count of them.
struct Span {
    uint64_t address;
    uint64_t count;
    int line;
};

constexpr uint64_t kHighestAddress = 0xFFFFFF;

}  // namespace

void AppendS2DataBytes(std::string_view text, std::string& out) {
    ForEachLine(text, [&](std::string_view line, int) {
        if (IsS2Record(line))
            AppendRecordData(line, out);
    });
}

std::string S2DataBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() / 2);
    AppendS2DataBytes(text, bytes);
    return bytes;
}

Status CheckSRecordAddresses(std::string_view text, const std::string& path) {
    std::vector<Span> spans;
    std::optional<Diagnostic> refused;
    ForEachLine(text, [&](std::string_view line, int number) {
        if (refused || line.size() < 2 || (line[0] != 'S' && line[0] != 's') || line[1] < '1' ||
            line[1] > '3')
            return;
        const int addressBytes = line[1] - '0' + 1;
        uint64_t address = 0;
        for (int i = 0; i < addressBytes; ++i)
            address =
                address << 8 | HexField(line, kCountPosition + 2 + 2 * static_cast<size_t>(i));
        const int count = HexField(line, kCountPosition) - addressBytes - 1;
        const uint64_t bytes = count > 0 ? static_cast<uint64_t>(count) : 0;
        if (line[1] == '3' && address + (bytes ? bytes - 1 : 0) > kHighestAddress)
            refused = Diagnostic{path, number,
                                 "the S3 record at " +
                                     toolchain::HexLiteral(static_cast<long long>(address), 8) +
                                     " lies above the 24 bits of the processor's addresses"};
        else if (line[1] == '2' && address + (bytes ? bytes - 1 : 0) > kHighestAddress)
            refused = Diagnostic{path, number,
                                 "the S2 record at " +
                                     toolchain::HexLiteral(static_cast<long long>(address), 6) +
                                     " runs past 0xFFFFFF"};
        else if (bytes > 0)
            spans.push_back({address, bytes, number});
    });
    if (refused)
        return *refused;
    std::stable_sort(spans.begin(), spans.end(),
                     [](const Span& a, const Span& b) { return a.address < b.address; });
    // The record reaching furthest so far: a record starting before its end
    // writes an address it wrote.
    const Span* furthest = nullptr;
    for (const Span& span : spans) {
        if (furthest && span.address < furthest->address + furthest->count) {
            const Span& later = span.line > furthest->line ? span : *furthest;
            const Span& earlier = span.line > furthest->line ? *furthest : span;
            return Diagnostic{path, later.line,
                              "the record writes address " +
                                  toolchain::HexLiteral(static_cast<long long>(span.address), 6) +
                                  ", which the record on line " + std::to_string(earlier.line) +
                                  " writes already"};
        }
        if (!furthest || span.address + span.count > furthest->address + furthest->count)
            furthest = &span;
    }
    return Status::Ok();
}

Status CheckSRecordsEnd(std::string_view text, const std::string& path) {
    std::string_view last;
    int lastNumber = 0;
    ForEachLine(text, [&](std::string_view line, int number) {
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            last = line;
            lastNumber = number;
        }
    });
    if (last.size() >= 2 && (last[0] == 'S' || last[0] == 's') && last[1] >= '7' && last[1] <= '9')
        return Status::Ok();
    return Diagnostic{path, lastNumber,
                      "ends early: no end record (S7, S8 or S9) after the last record; "
                      "build it again"};
}

Result<SRecordData> ReadSRecordData(FileSystem& files, const std::string& path) {
    Result<std::string> text = files.ReadFile(path, kMaxSRecordFileBytes);
    if (!text)
        return text.error();
    if (Status addresses = CheckSRecordAddresses(*text, path); !addresses)
        return addresses.error();
    if (Status ended = CheckSRecordsEnd(*text, path); !ended)
        return ended.error();
    return SRecordData{path, S2DataBytes(*text)};
}

}  // namespace cuffware
