#include "package/srecord_reader.h"

#include <array>
#include <cstdint>
#include <cstring>

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

}  // namespace

void AppendS2DataBytes(std::string_view text, std::string& out) {
    const char* const end = text.data() + text.size();
    const char* pos = text.data();
    while (pos < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(pos, '\n', end - pos));
        if (!lineEnd)
            lineEnd = end;
        if (const void* cr = std::memchr(pos, '\r', lineEnd - pos))
            lineEnd = static_cast<const char*>(cr);
        const std::string_view line(pos, static_cast<size_t>(lineEnd - pos));
        if (IsS2Record(line))
            AppendRecordData(line, out);
        pos = lineEnd + 1;
    }
}

std::string S2DataBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() / 2);
    AppendS2DataBytes(text, bytes);
    return bytes;
}

Result<SRecordData> ReadSRecordData(FileSystem& files, const std::string& path) {
    Result<std::string> text = files.ReadFile(path, kMaxSRecordFileBytes);
    if (!text)
        return text.error();
    return SRecordData{path, S2DataBytes(*text)};
}

}  // namespace cuffware
