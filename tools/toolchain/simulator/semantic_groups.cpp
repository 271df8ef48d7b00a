#include "toolchain/simulator/semantic_groups.h"

#include "platform/text_file.h"

namespace cuffware::simulator {

namespace {

constexpr std::string_view kTable =
#include "semantics_table_text.inc"
    ;

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool PatternMatches(std::string_view pattern, std::string_view text) {
    if (pattern.empty())
        return text.empty();
    if (pattern[0] == '*') {
        for (size_t skip = 0; skip <= text.size(); ++skip) {
            if (PatternMatches(pattern.substr(1), text.substr(skip)))
                return true;
        }
        return false;
    }
    if (pattern[0] == '{') {
        const size_t close = pattern.find('}');
        if (close == std::string_view::npos)
            return false;
        for (std::string_view alternative : Split(pattern.substr(1, close - 1), "|")) {
            if (text.starts_with(alternative) &&
                PatternMatches(pattern.substr(close + 1), text.substr(alternative.size())))
                return true;
        }
        return false;
    }
    return !text.empty() && text[0] == pattern[0] &&
           PatternMatches(pattern.substr(1), text.substr(1));
}

std::vector<SemanticGroup> ReadGroups() {
    std::vector<SemanticGroup> groups;
    for (std::string_view row : SplitLines(kTable)) {
        std::vector<std::string_view> columns = Split(row, "\t");
        if (columns.size() < 9 || columns[0] == "group")
            continue;
        groups.push_back({std::string(columns[0]),
                          std::string(columns[1]),
                          std::string(columns[2]),
                          {std::string(columns[3]), std::string(columns[4]),
                           std::string(columns[5]), std::string(columns[6])},
                          std::string(columns[7]),
                          std::string(columns[8])});
    }
    return groups;
}

}  // namespace

bool ItemMatches(std::string_view item, std::string_view mnemonic, std::string_view operands) {
    const size_t space = item.find(' ');
    if (item.substr(0, space) != mnemonic)
        return false;
    if (space == std::string_view::npos)
        return operands.empty();
    return PatternMatches(item.substr(space + 1), operands);
}

std::span<const SemanticGroup> SemanticGroups() {
    static const std::vector<SemanticGroup> groups = ReadGroups();
    return groups;
}

std::vector<std::string_view> CoveredItems(const SemanticGroup& group) {
    return Split(group.covers, "; ");
}

const SemanticGroup* GroupOf(const toolchain::InstructionForm& form) {
    std::string operands;
    for (size_t i = 0; i < form.operands.size(); ++i)
        operands += (i == 0 ? "" : ",") + form.operands[i].text;
    for (const SemanticGroup& group : SemanticGroups()) {
        for (std::string_view item : CoveredItems(group)) {
            if (ItemMatches(item, form.mnemonic, operands))
                return &group;
        }
    }
    return nullptr;
}

}  // namespace cuffware::simulator
