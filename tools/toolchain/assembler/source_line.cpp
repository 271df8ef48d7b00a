#include "toolchain/assembler/source_line.h"

#include <array>

#include "platform/text_rules.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/local_labels.h"
#include "toolchain/assembler/quoted_text.h"

namespace cuffware::toolchain {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

namespace {

// The first word of text and the trimmed rest.
// Where the first word of text ends: at its first blank, or its end.
size_t WordEnd(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    return end;
}

std::pair<std::string_view, std::string_view> FirstWord(std::string_view text) {
    size_t end = WordEnd(text);
    return {text.substr(0, end), TrimBlanks(text.substr(end))};
}

Diagnostic Problem(std::string message) {
    return Diagnostic{{}, 0, std::move(message)};
}

// "EQU", "SET" or "MACRO" when the first word of text is one of them in any
// case, else empty. Most lines' second word starts with none of their
// letters: the word's end is looked for only when it does.
std::string_view Definer(std::string_view text) {
    char first = text.empty() ? '\0' : static_cast<char>(text[0] | 0x20);
    if (first != 'e' && first != 's' && first != 'm')
        return {};
    return KeywordAmong(text.substr(0, WordEnd(text)), {"EQU", "SET", "MACRO"});
}

// Where the first ':' of a word is (npos for none): a word is a few
// characters, read with no call.
size_t ColonIn(std::string_view word) {
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] == ':')
            return i;
    }
    return std::string_view::npos;
}

}  // namespace

namespace {

// The comment's start (or the line's end) and the quote left open before it.
std::pair<size_t, std::optional<size_t>> CommentStart(std::string_view line) {
    // Nearly every character is none of ; ' ": a table says so at once.
    static constexpr std::array<bool, 256> kStops = [] {
        std::array<bool, 256> stops{};
        for (unsigned char c : std::string_view(";'\""))
            stops[c] = true;
        return stops;
    }();
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (!kStops[static_cast<unsigned char>(c)])
            continue;
        if (c == ';')
            return {i, std::nullopt};
        if (IsQuote(c)) {
            size_t close = line.find(c, i + 1);
            if (close == std::string_view::npos)
                return {line.size(), i};
            i = close;
        }
    }
    return {line.size(), std::nullopt};
}

}  // namespace

std::string_view WithoutComment(std::string_view line) {
    return line.substr(0, CommentStart(line).first);
}

std::optional<size_t> UnclosedQuote(std::string_view line) {
    return CommentStart(line).second;
}

std::optional<size_t> QuotedLength(std::string_view text) {
    if (text.empty() || !IsQuote(text[0]))
        return std::nullopt;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] != text[0])
            continue;
        if (i + 1 < text.size() && text[i + 1] == text[0])
            ++i;
        else
            return i + 1;
    }
    return std::nullopt;
}

Result<Statement> ReadStatement(std::string_view line) {
    Statement statement;
    if (Status read = ReadStatement(line, statement); !read)
        return read.error();
    return statement;
}

void Statement::Clear() {
    kind = kEmpty;
    label.clear();
    name.clear();
    definer.clear();
    operands.clear();
    quoteLeftOpen = false;
}

Status ReadStatement(std::string_view line, Statement& statement) {
    statement.Clear();
    auto [commentStart, openQuote] = CommentStart(line);
    statement.quoteLeftOpen = openQuote.has_value();
    std::string_view text = TrimBlanks(line.substr(0, commentStart));
    if (text.empty())
        return Status::Ok();
    if (text[0] == '$') {
        auto [control, arguments] = FirstWord(text);
        statement.kind = Statement::kControl;
        statement.name = ToUpperAscii(control);
        statement.operands = arguments;
        return Status::Ok();
    }
    auto [first, rest] = FirstWord(text);
    if (first.size() > 1 && first.back() == ':') {
        statement.label = first.substr(0, first.size() - 1);
        if (!IsLabelName(statement.label))
            return Problem("bad label " + Quoted(statement.label));
        std::tie(first, rest) = FirstWord(rest);
    } else if (size_t colon = ColonIn(first); colon != std::string_view::npos && colon > 0 &&
                                              IsLabelName(first.substr(0, colon))) {
        // "label:LD A,B" with no blank after the colon.
        statement.label = first.substr(0, colon);
        std::tie(first, rest) = FirstWord(TrimBlanks(text.substr(colon + 1)));
    }
    std::string_view definer = statement.label.empty() ? Definer(rest) : std::string_view();
    if (!definer.empty()) {
        std::string_view expression = FirstWord(rest).second;
        if (!IsIdentifier(first))
            return Problem("bad name " + Quoted(first) + " before " +
                           std::string(rest.substr(0, WordEnd(rest))));
        statement.kind = Statement::kDefinition;
        statement.name = first;
        statement.definer = definer;
        statement.operands = expression;
        return Status::Ok();
    }
    // A label alone on its line is a statement with no keyword.
    statement.kind = Statement::kOther;
    statement.name = first;
    statement.operands = rest;
    return Status::Ok();
}

Result<std::optional<std::string>> IncludedPath(std::string_view line) {
    static constexpr std::string_view kInclude = "INCLUDE";
    std::string_view text = TrimBlanks(line);
    // Nearly every line is no INCLUDE: its first letter or word tells, with
    // no more read.
    if (text.size() < kInclude.size() || (text[0] | 0x20) != 'i' ||
        !EqualsIgnoreCase(text.substr(0, kInclude.size()), kInclude) ||
        (text.size() > kInclude.size() && !IsBlank(text[kInclude.size()])))
        return std::optional<std::string>();
    std::string_view rest = FirstWord(text).second;
    if (rest.empty() || (rest[0] != '\'' && rest[0] != '"'))
        return Problem("INCLUDE expects a path in quotes");
    char quote = rest[0];
    for (size_t close = rest.size() - 1; close > 0; --close) {
        if (rest[close] != quote)
            continue;
        std::string_view after = TrimBlanks(rest.substr(close + 1));
        if (after.empty() || after[0] == ';')
            return std::optional<std::string>(std::string(rest.substr(1, close - 1)));
    }
    return Problem(std::string("INCLUDE path has no closing ") +
                   (quote == '"' ? "double quote" : "apostrophe"));
}

std::vector<std::string> SplitList(std::string_view text) {
    std::vector<std::string_view> views = SplitListViews(text);
    return std::vector<std::string>(views.begin(), views.end());
}

std::vector<std::string_view> SplitListViews(std::string_view text) {
    std::vector<std::string_view> items;
    ForEachListItem(text, [&items](std::string_view item) {
        items.push_back(item);
        return true;
    });
    return items;
}

size_t ListItemEnd(std::string_view text, size_t start) {
    // Most characters are none of those that matter here: a table says so
    // at once.
    static constexpr std::array<bool, 256> kMatters = [] {
        std::array<bool, 256> matters{};
        for (unsigned char c : std::string_view(",'\"()[]"))
            matters[c] = true;
        return matters;
    }();
    char quote = 0;
    int depth = 0;
    for (size_t i = start; i < text.size(); ++i) {
        char c = text[i];
        if (!kMatters[static_cast<unsigned char>(c)])
            continue;
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == '(' || c == '[') {
            ++depth;
        } else if (c == ')' || c == ']') {
            --depth;
        } else if (c == ',' && depth == 0) {
            return i;
        }
    }
    return text.size();
}

std::optional<std::string> DoubleQuoted(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return std::nullopt;
    std::string_view inside = text.substr(1, text.size() - 2);
    if (inside.find('"') != std::string_view::npos)
        return std::nullopt;
    return std::string(inside);
}

std::optional<std::string> StringLiteral(std::string_view text) {
    if (text.size() < 2 || !IsQuote(text.front()) || text.back() != text.front())
        return std::nullopt;
    char quote = text.front();
    std::string bytes;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == quote) {
            if (i + 2 >= text.size() || text[i + 1] != quote)
                return std::nullopt;
            ++i;
        }
        bytes += text[i];
    }
    return bytes;
}

int MessageColumn(std::string_view text, std::string_view reason) {
    if (reason.starts_with("unterminated string")) {
        if (std::optional<size_t> open = UnclosedQuote(text))
            return static_cast<int>(*open) + 1;
    }
    std::string_view code = WithoutComment(text);
    size_t open = reason.find('\'');
    size_t close = open == std::string_view::npos ? open : reason.find('\'', open + 1);
    if (close != std::string_view::npos && close > open + 1) {
        std::string_view quoted = reason.substr(open + 1, close - open - 1);
        if (quoted.ends_with("..."))
            quoted.remove_suffix(3);
        if (size_t at = code.find(quoted); at != std::string_view::npos)
            return static_cast<int>(at) + 1;
        // A local label named as "Scope.name" is written ".name".
        if (size_t dot = quoted.find('.'); dot != std::string_view::npos && dot > 0) {
            if (size_t at = code.find(quoted.substr(dot)); at != std::string_view::npos)
                return static_cast<int>(at) + 1;
        }
    }
    // The line's keyword, after a label.
    size_t first = code.find_first_not_of(" \t");
    size_t colon = code.find(':');
    if (first != std::string_view::npos && colon != std::string_view::npos &&
        IsLabelName(code.substr(first, colon - first)))
        first = code.find_first_not_of(" \t", colon + 1);
    return first == std::string_view::npos ? 1 : static_cast<int>(first) + 1;
}

}  // namespace cuffware::toolchain
