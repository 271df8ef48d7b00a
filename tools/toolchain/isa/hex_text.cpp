#include "toolchain/isa/hex_text.h"

namespace cuffware::toolchain {

void AppendHex(long long value, int width, std::string& text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    auto rest = static_cast<unsigned long long>(value);
    int count = 1;
    for (auto higher = rest >> 4; higher != 0; higher >>= 4)
        ++count;
    const size_t digits = static_cast<size_t>(count < width ? width : count);
    const size_t at = text.size();
    text.resize(at + digits);
    for (size_t i = digits; i > 0; --i, rest >>= 4)  // the padding comes out as zeros
        text[at + i - 1] = kDigits[rest & 0xF];
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
