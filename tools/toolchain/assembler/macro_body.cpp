#include "toolchain/assembler/macro_body.h"

#include <algorithm>

#include "platform/text_rules.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/quoted_text.h"
#include "toolchain/assembler/source_line.h"

namespace cuffware::toolchain {

namespace {

Diagnostic Problem(std::string message) {
    return Diagnostic{{}, 0, std::move(message)};
}

// The keyword of a line ("REPT", "ENDR", ...) in upper case; empty for
// definitions and controls.
std::string Keyword(const Statement& statement) {
    if (statement.kind != Statement::kOther)
        return {};
    return ToUpperAscii(statement.name);
}

bool SameName(std::string_view a, std::string_view b, bool caseSensitive) {
    return caseSensitive ? a == b : EqualsIgnoreCase(a, b);
}

// The text with the names replaced, or nullopt when it grows longer than
// maxLength.
std::optional<std::string> Substituted(std::string_view text, const std::vector<std::string>& names,
                                       const std::vector<std::string>& replacements,
                                       bool caseSensitive, size_t maxLength) {
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (result.size() > maxLength)
            return std::nullopt;
        bool startsWord = !IsAsciiDigit(text[i]) && IsNameCharacter(text[i]) &&
                          (i == 0 || !IsNameCharacter(text[i - 1]));
        if (!startsWord) {
            result += text[i++];
            continue;
        }
        size_t end = i;
        while (end < text.size() && IsNameCharacter(text[end]))
            ++end;
        std::string_view word = text.substr(i, end - i);
        auto name = std::find_if(names.begin(), names.end(), [&](const std::string& candidate) {
            return SameName(candidate, word, caseSensitive);
        });
        if (name == names.end())
            result += word;
        else
            result += replacements[static_cast<size_t>(name - names.begin())];
        i = end;
    }
    if (result.size() > maxLength)
        return std::nullopt;
    return result;
}

// The LOCAL names at the start of a body; blank and comment lines may stand
// among them. Gives the index of the first other line.
Result<size_t> ReadLocalNames(std::span<const SourceLine> body, const BodyUse& use,
                              std::vector<std::string>& names) {
    size_t i = 0;
    for (; i < body.size() && use.readsLocal; ++i) {
        Result<Statement> statement = ReadStatement(body[i].Text());
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
                return Problem("LOCAL name " + Quoted(name) + " is given twice");
            names.push_back(name);
        }
    }
    return i;
}

}  // namespace

std::optional<size_t> MatchingEndr(std::span<const SourceLine> lines, size_t start) {
    int depth = 0;
    for (size_t i = start; i < lines.size(); ++i) {
        Result<Statement> statement = ReadStatement(lines[i].Text());
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

Result<ExpandedBody> ExpandBody(std::span<const SourceLine> body, const BodyUse& use,
                                const SourceLine* at, std::deque<std::string>& texts) {
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
    ExpandedBody expanded;
    for (const SourceLine& line : body.subspan(*first)) {
        std::optional<std::string> text =
            Substituted(line.Text(), names, replacements, use.caseSensitive, kMaxLineLength);
        if (!text)
            return Problem(
                "a line of " +
                (use.owner == "REPT" ? std::string("a REPT block") : "macro " + Quoted(use.owner)) +
                " grows longer than " + std::to_string(kMaxLineLength) +
                " characters when expanded");
        expanded.bytes += text->size();
        if (expanded.bytes > use.bytesLeft) {
            expanded.overBytes = true;
            break;
        }
        SourceLine place = at ? *at : line;
        place.SetText(texts.emplace_back(std::move(*text)));
        expanded.lines.push_back(std::move(place));
    }
    return expanded;
}

}  // namespace cuffware::toolchain
