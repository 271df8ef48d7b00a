#include "app/window_models/build_report.h"

#include <cctype>

namespace cuffware {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The digits at the front of text taken away; false when there are none.
bool TakeNumber(std::string_view& text) {
    size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits]))
        ++digits;
    text.remove_prefix(digits);
    return digits > 0;
}

bool TakeText(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected))
        return false;
    text.remove_prefix(expected.size());
    return true;
}

// A file name with an extension, perhaps after folders: "clock.asm",
// "c:\q740\app\demo\src\clock.asm".
bool IsFileName(std::string_view file) {
    if (file.empty() || std::isspace(static_cast<unsigned char>(file.front())))
        return false;
    if (size_t colon = file.find(':'); colon != std::string_view::npos && colon != 1)
        return false;  // only a drive's colon: "clock.asm:12" is no file name
    std::string_view name = file.substr(file.find_last_of("\\/") + 1);
    size_t dot = name.rfind('.');
    return dot != std::string_view::npos && dot > 0 && dot + 1 < name.size();
}

// What follows "FILE:" on an error line: "LINE: REASON" or
// "LINE:COLUMN: error: ...".
bool IsErrorPosition(std::string_view rest) {
    if (!TakeNumber(rest) || !TakeText(rest, ":"))
        return false;
    if (TakeText(rest, " "))
        return !rest.starts_with("warning") && !rest.starts_with("note");
    return TakeNumber(rest) && TakeText(rest, ": error:");
}

bool IsErrorLine(std::string_view line) {
    for (size_t colon = line.find(':'); colon != std::string_view::npos;
         colon = line.find(':', colon + 1))
        if (IsFileName(line.substr(0, colon)) && IsErrorPosition(line.substr(colon + 1)))
            return true;
    return false;
}

}  // namespace

std::optional<size_t> FirstErrorLine(std::string_view report) {
    size_t number = 0;
    for (size_t start = 0; start <= report.size(); ++number) {
        size_t end = report.find('\n', start);
        std::string_view line = report.substr(start, end - start);
        if (IsErrorLine(line))
            return number;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace cuffware
