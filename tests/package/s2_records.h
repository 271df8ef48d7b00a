#pragma once
// Byte strings and S-record texts for the packaging tests.

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cuffware::testing {

inline std::string ByteString(std::initializer_list<int> bytes) {
    std::string text;
    for (int b : bytes)
        text += static_cast<char>(b);
    return text;
}

// n bytes counting up from first, wrapping at 256.
inline std::string Counting(size_t n, int first = 1) {
    std::string text(n, '\0');
    for (size_t i = 0; i < n; ++i)
        text[i] = static_cast<char>(first + i);
    return text;
}

// One S2 record of bytes at address, with its checksum.
inline std::string S2Record(uint32_t address, std::string_view bytes) {
    unsigned sum = static_cast<unsigned>(bytes.size()) + 4;
    char digits[16];
    std::snprintf(digits, sizeof digits, "S2%02X%06X", sum, address);
    std::string line = digits;
    for (unsigned char b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        line += digits;
        sum += b;
    }
    sum += (address >> 16) + (address >> 8 & 0xFF) + (address & 0xFF);
    std::snprintf(digits, sizeof digits, "%02X\r\n", ~sum & 0xFF);
    return line + digits;
}

// A section file as the locator writes it: an S0 header, the bytes in
// records of 16 from address, an S8 end record.
inline std::string SectionFile(std::string_view bytes, uint32_t address = 0x8000) {
    std::string text = "S00600004844521B\r\n";
    for (size_t i = 0; i < bytes.size(); i += 16)
        text += S2Record(address + static_cast<uint32_t>(i), bytes.substr(i, 16));
    return text + "S804000000FB\r\n";
}

}  // namespace cuffware::testing
