#include "platform/text_file.h"

namespace cuffware {

void TextFile::Line(std::string_view text) {
    text_.append(text);
    text_.append("\r\n");
}

bool TextLines::Next(std::string_view& line) {
    if (rest_.empty())
        return false;
    size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    TextLines reader(text);
    for (std::string_view line; reader.Next(line);)
        lines.push_back(line);
    return lines;
}

}  // namespace cuffware
