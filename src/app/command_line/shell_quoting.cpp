#include "app/command_line/shell_quoting.h"

namespace cuffware {

namespace {

bool AllOf(std::string_view word, std::string_view allowed) {
    return !word.empty() && word.find_first_not_of(allowed) == std::string_view::npos;
}

constexpr std::string_view kAlphanumerics =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Inside single quotes a POSIX shell takes every byte as it is but the
// quote itself, which is closed, escaped and opened again.
std::string PosixQuoted(std::string_view word) {
    if (AllOf(word, std::string(kAlphanumerics) + "_@%+=:,./-"))
        return std::string(word);
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A Windows program splits its command line at blanks outside double
// quotes; inside them a quote is written \" and backslashes count only
// before a quote, where each is doubled.
std::string ProgramQuoted(std::string_view word) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

// cmd.exe expands %NAME% (and !NAME! when delayed expansion is on) even
// between quotes, and a quote in the word would end its quoting: such a word
// gets a caret before every character cmd.exe acts on, quotes included, so
// that cmd.exe sees no quoting at all and hands the program its own.
constexpr std::string_view kCmdSpecials = "()%!^\"<>&|";

std::string CmdQuoted(std::string_view word) {
    if (AllOf(word, std::string(kAlphanumerics) + "_@+=:,./\\-"))
        return std::string(word);
    std::string quoted = ProgramQuoted(word);
    if (word.find_first_of("%!\"") == std::string_view::npos)
        return quoted;
    std::string escaped;
    for (char c : quoted) {
        if (kCmdSpecials.find(c) != std::string_view::npos)
            escaped += '^';
        escaped += c;
    }
    return escaped;
}

}  // namespace

std::string QuotedWord(std::string_view word, Shell shell) {
    return shell == Shell::kPosix ? PosixQuoted(word) : CmdQuoted(word);
}

std::string CommandLine(const std::vector<std::string>& words, Shell shell) {
    std::string line;
    for (const std::string& word : words)
        line += (line.empty() ? "" : " ") + QuotedWord(word, shell);
    return line;
}

}  // namespace cuffware
