#include "toolchain/isa/hex_text.h"

#include <array>
#include <bit>
#include <cstring>

namespace cuffware::toolchain {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Each byte's two hex digits.
constexpr std::array<std::array<char, 2>, 256> kPairs = [] {
    std::array<std::array<char, 2>, 256> pairs{};
    for (size_t i = 0; i < pairs.size(); ++i)
        pairs[i] = {kDigits[i >> 4], kDigits[i & 0xF]};
    return pairs;
}();

}  // namespace

size_t HexLength(long long value, int width) {
    const int bits = std::bit_width(static_cast<unsigned long long>(value));
    const int count = bits == 0 ? 1 : (bits + 3) / 4;
    return static_cast<size_t>(count < width ? width : count);
}

// The digits from the last, a byte's pair at a time: S-records, maps and
// listings are made of many numbers. The padding comes out as zeros.
char* PutHex(long long value, int width, char* at) {
    auto rest = static_cast<unsigned long long>(value);
    const size_t digits = HexLength(value, width);
    size_t i = digits;
    for (; i >= 2; i -= 2, rest >>= 8)
        std::memcpy(at + i - 2, kPairs[rest & 0xFF].data(), 2);
    if (i == 1)
        at[0] = kDigits[rest & 0xF];
    return at + digits;
}

char* PutHexOfBytes(std::string_view bytes, char* at) {
    for (char byte : bytes) {
        std::memcpy(at, kPairs[static_cast<unsigned char>(byte)].data(), 2);
        at += 2;
    }
    return at;
}

void AppendHex(long long value, int width, std::string& text) {
    const size_t at = text.size();
    text.resize(at + HexLength(value, width));
    PutHex(value, width, text.data() + at);
}

void AppendHexOfBytes(std::string_view bytes, std::string& text) {
    const size_t at = text.size();
    text.resize(at + 2 * bytes.size());
    PutHexOfBytes(bytes, text.data() + at);
}

std::string Hex(long long value, int width) {
    std::string text;
    AppendHex(value, width, text);
    return text;
}

std::string HexLiteral(long long value, int width) {
    return "0x" + Hex(value, width);
}

}  // namespace cuffware::toolchain
