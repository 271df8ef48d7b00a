#include "toolchain/macro_body.h"

#include <algorithm>
#include <cctype>

#include "project/text_rules.h"
#include "toolchain/expression.h"
#include "toolchain/source_line.h"

namespace cuffware::toolchain {

namespace {

Diagnostic Problem(std::string message) {
    return Diagnostic{{}, 0, std::move(message)};
}

bool IsWordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsWordPart(char c) {
    return IsWordStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

// The keyword of a line ("REPT", "ENDR", ...) in upper case; empty for
// definitions and controls.
std::string Keyword(const Statement& statement) {
    if (statement.kind != Statement::kOther)
        return {};
    return ToUpperAscii(statement.name);
}

bool SameName(const std::string& a, const std::string& b, bool caseSensitive) {
    return caseSensitive ? a == b : EqualsIgnoreCase(a, b);
}

// The text with the names replaced, or nullopt when it would hold more than
// limit bytes.
std::optional<std::string> Substituted(const std::string& text,
                                       const std::vector<std::string>& names,
                                       const std::vector<std::string>& replacements,
                                       bool caseSensitive, size_t limit) {
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (result.size() > limit)
            return std::nullopt;
        bool startsWord = IsWordStart(text[i]) && (i == 0 || !IsWordPart(text[i - 1]));
        if (!startsWord) {
            result += text[i++];
            continue;
        }
        size_t end = i;
        while (end < text.size() && IsWordPart(text[end]))
            ++end;
        std::string word = text.substr(i, end - i);
        auto name = std::find_if(names.begin(), names.end(), [&](const std::string& candidate) {
            return SameName(candidate, word, caseSensitive);
        });
        result +=
            name == names.end() ? word : replacements[static_cast<size_t>(name - names.begin())];
        i = end;
    }
    if (result.size() > limit)
        return std::nullopt;
    return result;
}

// The LOCAL names at the start of a body; blank and comment lines may stand
// among them. Gives the index of the first other line.
Result<size_t> ReadLocalNames(std::span<const SourceLine> body, const BodyUse& use,
                              std::vector<std::string>& names) {
    size_t i = 0;
    for (; i < body.size() && use.readsLocal; ++i) {
        Result<Statement> statement = ReadStatement(body[i].text);
        if (statement && statement->kind == Statement::kEmpty)
            continue;
        if (!statement || Keyword(*statement) != "LOCAL")
            break;
        std::vector<std::string> written = SplitList(statement->operands);
        for (const std::string& name : written) {
            if (!IsIdentifier(name))
                return Problem("LOCAL expects names");
            auto same = [&](const std::string& other) {
                return SameName(other, name, use.caseSensitive);
            };
            if (std::any_of(names.begin(), names.end(), same) ||
                std::any_of(use.parameters.begin(), use.parameters.end(), same))
                return Problem("LOCAL name '" + name + "' is given twice");
            names.push_back(name);
        }
    }
    return i;
}

}  // namespace

bool IsBodyKeyword(std::string_view word) {
    std::string upper = ToUpperAscii(word);
    return upper == "REPT" || upper == "ENDR" || upper == "LOCAL";
}

std::optional<size_t> MatchingEndr(std::span<const SourceLine> lines, size_t start) {
    int depth = 0;
    for (size_t i = start; i < lines.size(); ++i) {
        Result<Statement> statement = ReadStatement(lines[i].text);
        std::string keyword = statement ? Keyword(*statement) : std::string();
        if (keyword == "REPT")
            ++depth;
        else if (keyword == "ENDR" && --depth == 0)
            return i;
    }
    return std::nullopt;
}

Status CheckRepeatCount(long long count) {
    if (count < 0 || count > kMaxRepeatCount)
        return Problem("REPT count " + std::to_string(count) + " out of 0.." +
                       std::to_string(kMaxRepeatCount));
    return Status::Ok();
}

Result<std::vector<SourceLine>> ExpandBody(std::span<const SourceLine> body, const BodyUse& use,
                                           const SourceLine* at) {
    std::vector<std::string> names = use.parameters;
    std::vector<std::string> localNames;
    Result<size_t> first = ReadLocalNames(body, use, localNames);
    if (!first)
        return first.error();
    std::vector<std::string> replacements = use.arguments;
    for (const std::string& name : localNames) {
        names.push_back(name);
        replacements.push_back(use.owner + "." + name + "." + std::to_string(use.number));
    }
    std::vector<SourceLine> lines;
    size_t bytesLeft = use.bytesLeft;
    for (const SourceLine& line : body.subspan(*first)) {
        std::optional<std::string> text =
            names.empty()
                ? std::optional(line.text)
                : Substituted(line.text, names, replacements, use.caseSensitive, bytesLeft);
        if (!text || text->size() > bytesLeft)
            return Problem("macros and REPT blocks expand to more than " +
                           std::to_string(kMaxExpandedBytes) + " bytes");
        bytesLeft -= text->size();
        const SourceLine& place = at ? *at : line;
        lines.push_back({place.file, place.number, std::move(*text)});
    }
    return lines;
}

}  // namespace cuffware::toolchain
