#include "toolchain/assembler/name_suggestion.h"

#include <algorithm>
#include <string>

#include "platform/text_rules.h"

namespace cuffware::toolchain {

namespace {

bool OneEditApart(std::string_view a, std::string_view b) {
    if (a.size() > b.size())
        std::swap(a, b);
    if (b.size() - a.size() > 1)
        return false;
    size_t start = 0;
    while (start < a.size() && a[start] == b[start])
        ++start;
    if (start == a.size())
        return true;  // equal, or b has one character more at its end
    if (a.size() < b.size())
        return a.substr(start) == b.substr(start + 1);
    if (a.substr(start + 1) == b.substr(start + 1))
        return true;
    return start + 1 < a.size() && a[start] == b[start + 1] && a[start + 1] == b[start] &&
           a.substr(start + 2) == b.substr(start + 2);
}

}  // namespace

bool LooksLike(std::string_view written, std::string_view defined) {
    return OneEditApart(ToUpperAscii(written), ToUpperAscii(defined));
}

}  // namespace cuffware::toolchain
