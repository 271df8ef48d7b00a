#include "batch/batch_command.h"

#include "platform/text_rules.h"

namespace cuffware::batch {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view BlanksTrimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A line with each "%%" made one "%", as the interpreter reads a batch file.
std::string PercentsHalved(std::string_view line) {
    std::string halved;
    halved.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        halved += line[i];
        if (line[i] == '%' && i + 1 < line.size() && line[i + 1] == '%')
            ++i;
    }
    return halved;
}

// The words of a text, split at blanks outside double quotes; the quotes
// only group and are dropped. A word that comes out empty is no word.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (IsBlank(c) && !quoted) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

// The words after the command name, without the switches.
std::vector<std::string> Operands(std::string_view rest) {
    std::vector<std::string> operands;
    for (std::string& word : Words(rest)) {
        if (word.front() != '/')
            operands.push_back(std::move(word));
    }
    return operands;
}

// CD takes the rest of the line as it stands, blanks and all; "/D" (change
// the drive too) means nothing here.
std::string DirectoryOperand(std::string_view rest) {
    if (StartsWithIgnoreCase(rest, "/d") && (rest.size() == 2 || IsBlank(rest[2])))
        rest = BlanksTrimmed(rest.substr(2));
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = rest.substr(1, rest.size() - 2);
    return std::string(rest);
}

}  // namespace

Result<BatchCommand> ParseBatchLine(std::string_view rawLine) {
    const std::string expanded = PercentsHalved(rawLine);
    std::string_view line = BlanksTrimmed(expanded);
    if (!line.empty() && line.front() == '@')
        line = BlanksTrimmed(line.substr(1));
    if (line.empty() || line.starts_with("::"))
        return BatchCommand{};

    size_t nameEnd = 0;
    while (nameEnd < line.size() && !IsBlank(line[nameEnd]) && line[nameEnd] != '"')
        ++nameEnd;
    std::string_view name = line.substr(0, nameEnd);
    std::string_view rest = BlanksTrimmed(line.substr(nameEnd));

    if (EqualsIgnoreCase(name, "rem"))
        return BatchCommand{};
    if (EqualsIgnoreCase(name, "echo")) {
        if (EqualsIgnoreCase(rest, "off") || EqualsIgnoreCase(rest, "on"))
            return BatchCommand{};
        return BatchCommand{BatchCommand::kEcho, std::string(rest), {}};
    }
    if (EqualsIgnoreCase(name, "cd") || EqualsIgnoreCase(name, "chdir"))
        return BatchCommand{BatchCommand::kChangeDirectory, DirectoryOperand(rest), {}};
    if (EqualsIgnoreCase(name, "del") || EqualsIgnoreCase(name, "erase")) {
        std::vector<std::string> patterns = Operands(rest);
        if (patterns.empty())
            return Diagnostic{"", 0, "del: no file pattern given"};
        return BatchCommand{BatchCommand::kDelete, {}, std::move(patterns)};
    }
    if (EqualsIgnoreCase(name, "copy")) {
        std::vector<std::string> names = Operands(rest);
        if (names.empty() || names.size() > 2)
            return Diagnostic{"", 0, "copy: expected a source and a destination"};
        if (names.size() == 1)
            names.push_back(".");  // into the current directory
        return BatchCommand{BatchCommand::kCopy, {}, std::move(names)};
    }
    std::vector<std::string> words = Words(line);
    if (words.empty())
        return BatchCommand{};  // nothing but quotes
    return BatchCommand{BatchCommand::kProgram, {}, std::move(words)};
}

}  // namespace cuffware::batch
