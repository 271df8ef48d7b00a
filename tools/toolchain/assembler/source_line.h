#pragma once
// How one assembler line is read, apart from what it means:
//   [label:] [keyword [operands]] [; comment]
//   NAME equ EXPRESSION [; comment]   (also NAME set EXPRESSION, NAME macro PARAMETERS)
//   $CONTROL ...
//   INCLUDE 'path' (or "path")

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "platform/text_rules.h"

namespace cuffware::toolchain {

// The one of keywords (each in upper case) that word is, written in any
// case; empty for none. The lengths are compared first, inline: every line
// asks several times, and few words have a keyword's length.
inline std::string_view KeywordAmong(std::string_view word,
                                     std::initializer_list<std::string_view> keywords) {
    for (std::string_view keyword : keywords) {
        // The first letters first, inline (equal in any case, they are equal
        // with bit 5 set): nearly every line's keyword is none of these.
        if (keyword.size() == word.size() && (keyword[0] | 0x20) == (word[0] | 0x20) &&
            EqualsIgnoreCase(word, keyword))
            return keyword;
    }
    return {};
}

struct Statement {
    enum Kind { kEmpty, kControl, kDefinition, kOther } kind = kEmpty;
    std::string label;     // kOther: the label before ":", or empty
    std::string name;      // kDefinition: the name defined; kOther: the keyword; kControl: "$CASE"
    std::string definer;   // kDefinition: "EQU", "SET" or "MACRO"
    std::string operands;  // the rest: expression, operands, parameters or control arguments
    bool quoteLeftOpen = false;  // the line opens a string it does not close (UnclosedQuote)

    // Empty again, for the next line, its strings keeping their room.
    void Clear();
};

// Blanks (spaces and tabs) removed at both ends.
// Inline: every operand of every line is trimmed.
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The line without its comment: from the first ";" outside quotes.
std::string_view WithoutComment(std::string_view line);

// Splits a line (comment and all) into its parts; fails on a label that is
// not a name or an equate without a name.
Result<Statement> ReadStatement(std::string_view line);

// As ReadStatement, into a statement of the caller's (which a line read
// per pass reuses rather than moving a new one out).
Status ReadStatement(std::string_view line, Statement& statement);

// For an INCLUDE line, the path between the quotes (apostrophes or double
// quotes); nullopt for any other line; a failure for an INCLUDE line without
// a quoted path. The path ends at the last closing quote that only blanks or
// a comment follow, so a path with an apostrophe in it is read whole.
Result<std::optional<std::string>> IncludedPath(std::string_view line);

// Splits at the commas outside quotes and parentheses; items trimmed.
std::vector<std::string> SplitList(std::string_view text);

// As SplitList, with the items as views of text.
std::vector<std::string_view> SplitListViews(std::string_view text);

// Where the list item that starts at start ends: the comma after it outside
// quotes and parentheses, or the end of text.
size_t ListItemEnd(std::string_view text, size_t start);

// Calls each(item) for the items SplitList gives, as views of text, until
// it returns false, with no list made (every instruction's operands and
// every DB's values are split so).
template <class Each>
void ForEachListItem(std::string_view text, Each each) {
    for (size_t start = 0;;) {
        size_t end = ListItemEnd(text, start);
        if (!each(TrimBlanks(text.substr(start, end - start))) || end == text.size())
            return;
        start = end + 1;
    }
}

// The text between double quotes when text is exactly one such string.
std::optional<std::string> DoubleQuoted(std::string_view text);

// An apostrophe or a double quote: either opens a string.
bool IsQuote(char c);

// The length of the string that text starts with, quotes and all (the
// quote written twice stands for one); nullopt when it is not closed.
std::optional<size_t> QuotedLength(std::string_view text);

// Where a string opens that the line does not close, counted from 0 (a
// comment's quotes do not count).
std::optional<size_t> UnclosedQuote(std::string_view line);

// The bytes of a 'string' or a "string" (the quote written twice stands for
// one), or nullopt when text is not exactly one such string.
std::optional<std::string> StringLiteral(std::string_view text);

// The column (from 1) a message about a line points at: a string the line
// leaves open when the reason is "unterminated string", else the first text
// the reason quotes where the line holds it (a local label "Scope.name" as
// ".name"), else the line's keyword.
int MessageColumn(std::string_view line, std::string_view reason);

}  // namespace cuffware::toolchain
