#include "toolchain/object/alignment.h"

#include <cctype>
#include <vector>

#include "platform/text_rules.h"
#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

namespace {

// Whether an expression may end with this word: a name, a number, ")" or a
// quoted character; not an operator, after which another operand follows.
bool EndsOperand(std::string_view word) {
    char last = word.back();
    return std::isalnum(static_cast<unsigned char>(last)) || last == '_' || last == ')' ||
           last == '\'' || last == '$';
}

bool IsAttributeWord(std::string_view word) {
    return EqualsIgnoreCase(word, "AT") || EqualsIgnoreCase(word, "ALIGN");
}

}  // namespace

Status CheckAlignment(long long alignment) {
    if (alignment < 1 || alignment > kMaxAlignment || (alignment & (alignment - 1)) != 0)
        return Diagnostic{{},
                          0,
                          "ALIGN expects a power of two of 1.." + std::to_string(kMaxAlignment) +
                              ", not " + std::to_string(alignment)};
    return Status::Ok();
}

long long PaddingTo(long long address, long long alignment) {
    return (alignment - address % alignment) % alignment;
}

std::optional<SectionAttributes> ReadSectionAttributes(std::string_view text) {
    std::vector<std::string_view> words = WordsIn(text, kSpaceOrTab);
    if (words.empty())
        return std::nullopt;
    SectionAttributes attributes{ToUpperAscii(words[0]), {}, {}};
    std::string* expression = nullptr;
    size_t expressionStart = 0;  // the index of its first word
    auto close = [&](size_t end) {
        if (expression)
            *expression = std::string(words[expressionStart].data(),
                                      words[end - 1].data() + words[end - 1].size());
    };
    for (size_t i = 1; i < words.size(); ++i) {
        bool startsAttribute = IsAttributeWord(words[i]) && i + 1 < words.size() &&
                               (!expression || (expressionStart < i && EndsOperand(words[i - 1])));
        if (!startsAttribute) {
            if (!expression)
                return std::nullopt;
            continue;
        }
        close(i);
        expression = EqualsIgnoreCase(words[i], "AT") ? &attributes.address : &attributes.alignment;
        if (!expression->empty())
            return std::nullopt;  // the same attribute twice
        expressionStart = ++i;
    }
    close(words.size());
    return attributes;
}

}  // namespace cuffware::toolchain
