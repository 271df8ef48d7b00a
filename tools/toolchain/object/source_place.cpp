#include "toolchain/object/source_place.h"

#include <charconv>
#include <optional>

namespace cuffware::toolchain {

namespace {

// The number after the last colon of text, and where that colon is.
std::optional<std::pair<int, size_t>> TrailingNumber(std::string_view text) {
    size_t colon = text.rfind(':');
    int number = 0;
    if (colon == std::string_view::npos || colon + 1 == text.size())
        return std::nullopt;
    auto [end, error] = std::from_chars(text.data() + colon + 1, text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return std::pair(number, colon);
}

}  // namespace

// "clock.asm:12" or "clock.asm:12:5": the file and the line.
Diagnostic AtSource(const std::string& where, const std::string& fallback, std::string message) {
    std::optional<std::pair<int, size_t>> last = TrailingNumber(where);
    if (!last)
        return Diagnostic{where.empty() ? fallback : where, 0, std::move(message)};
    std::optional<std::pair<int, size_t>> before =
        TrailingNumber(std::string_view(where).substr(0, last->second));
    if (before && before->second > 0)
        last = before;
    return Diagnostic{where.substr(0, last->second), last->first, std::move(message)};
}

}  // namespace cuffware::toolchain
