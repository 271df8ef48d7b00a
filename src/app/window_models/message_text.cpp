#include "app/window_models/message_text.h"

#include <cstdio>

namespace cuffware {

namespace {

std::string Escaped(std::string_view text) {
    std::string shown;
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if ((byte < 32 && c != '\n' && c != '\t') || byte == 127) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string ShortenedValue(std::string_view value) {
    if (value.size() <= kQuotedValueShownLength)
        return Escaped(value);
    return Escaped(value.substr(0, 40)) + "... (" + std::to_string(value.size()) +
           " characters) ..." + Escaped(value.substr(value.size() - 10));
}

}  // namespace

std::string DisplayableMessage(std::string_view text) {
    std::string shown;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('"', pos);
        size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
        if (close == std::string_view::npos)
            return shown + Escaped(text.substr(pos));
        shown += Escaped(text.substr(pos, open + 1 - pos));
        shown += ShortenedValue(text.substr(open + 1, close - open - 1));
        shown += '"';
        pos = close + 1;
    }
    return shown;
}

}  // namespace cuffware
