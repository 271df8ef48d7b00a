#pragma once
// Expected file texts written out in tests: lines, each ending in CR LF.

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/text_file.h"

namespace cuffware::testing {

inline std::string Lines(std::initializer_list<std::string_view> lines) {
    TextFile file;
    for (std::string_view line : lines)
        file.Line(line);
    return file.Text();
}

}  // namespace cuffware::testing
