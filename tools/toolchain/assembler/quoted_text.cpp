#include "toolchain/assembler/quoted_text.h"

namespace cuffware::toolchain {

std::string Shortened(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string quoted;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == kMaxQuotedLength)
            return quoted + "...";
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= ' ' && byte < 0x7F) {
            quoted += static_cast<char>(byte);
        } else {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xF];
        }
    }
    return quoted;
}

std::string Quoted(std::string_view text) {
    return "'" + Shortened(text) + "'";
}

}  // namespace cuffware::toolchain
