#include "toolchain/macro_text.h"

#include <algorithm>
#include <cctype>

#include "project/text_rules.h"

namespace cuffware::toolchain {

namespace {

bool IsWordPart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

std::optional<std::string> SubstituteParameters(std::string_view text,
                                                const std::vector<std::string>& parameters,
                                                const std::vector<std::string>& arguments,
                                                bool caseSensitive, size_t maxLength) {
    auto same = [caseSensitive](std::string_view a, std::string_view b) {
        return caseSensitive ? a == b : EqualsIgnoreCase(a, b);
    };
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (result.size() > maxLength)
            return std::nullopt;
        bool startsWord = !std::isdigit(static_cast<unsigned char>(text[i])) &&
                          IsWordPart(text[i]) && (i == 0 || !IsWordPart(text[i - 1]));
        if (!startsWord) {
            result += text[i++];
            continue;
        }
        size_t end = i;
        while (end < text.size() && IsWordPart(text[end]))
            ++end;
        std::string_view word = text.substr(i, end - i);
        auto parameter = std::find_if(parameters.begin(), parameters.end(),
                                      [&](const std::string& name) { return same(name, word); });
        if (parameter == parameters.end())
            result += word;
        else
            result += arguments[static_cast<size_t>(parameter - parameters.begin())];
        i = end;
    }
    if (result.size() > maxLength)
        return std::nullopt;
    return result;
}

}  // namespace cuffware::toolchain
