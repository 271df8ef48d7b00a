#include "toolchain/isa/hex_text.h"

namespace cuffware::toolchain {

void AppendHex(long long value, int width, std::string& text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[16];
    int count = 0;
    for (auto rest = static_cast<unsigned long long>(value); count == 0 || rest != 0; rest >>= 4)
        digits[count++] = kDigits[rest & 0xF];
    if (count < width)
        text.append(static_cast<size_t>(width - count), '0');
    while (count > 0)
        text += digits[--count];
}

void AppendHexOfBytes(std::string_view bytes, std::string& text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    size_t at = text.size();
    text.resize(at + 2 * bytes.size());
    for (char byte : bytes) {
        auto value = static_cast<unsigned char>(byte);
        text[at++] = kDigits[value >> 4];
        text[at++] = kDigits[value & 0xF];
    }
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
