#include "toolchain/isa/hex_text.h"

namespace cuffware::toolchain {

std::string Hex(long long value, int width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[16];
    int count = 0;
    for (auto rest = static_cast<unsigned long long>(value); count == 0 || rest != 0; rest >>= 4)
        digits[count++] = kDigits[rest & 0xF];
    std::string text(count < width ? static_cast<size_t>(width - count) : 0, '0');
    while (count > 0)
        text += digits[--count];
    return text;
}

std::string HexLiteral(long long value, int width) {
    return "0x" + Hex(value, width);
}

}  // namespace cuffware::toolchain
