#include "toolchain/programs/command_line.h"

#include <algorithm>
#include <cctype>

#include "platform/file_system.h"
#include "platform/text_file.h"

namespace cuffware::toolchain {

namespace {

bool AllOf(std::string_view text, int (*test)(int)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [test](char c) {
        return test(static_cast<unsigned char>(c)) != 0;
    });
}

bool Matches(const OptionRule& rule, std::string_view text) {
    if (text.substr(0, rule.name.size()) != rule.name)
        return false;
    std::string_view rest = text.substr(rule.name.size());
    switch (rule.argument) {
        case OptionArgument::kNone:
            return rest.empty();
        case OptionArgument::kLetters:
            return AllOf(rest, std::isalpha);
        case OptionArgument::kNumber:
            return AllOf(rest, std::isdigit);
        case OptionArgument::kText:
            return !rest.empty();
    }
    return false;
}

bool Known(std::span<const OptionRule> rules, std::string_view text) {
    return std::any_of(rules.begin(), rules.end(),
                       [text](const OptionRule& rule) { return Matches(rule, text); });
}

// Appends the options of one option file, each with its file and line.
Status ReadOptionFile(const ToolContext& context, const std::string& name,
                      std::vector<Option>& options) {
    Result<std::string> content =
        DiskFileSystem().ReadFile(ToolPath(context, name), kMaxToolInputBytes);
    if (!content)
        return Diagnostic{name, 0, "cannot open option file " + LookedFor(context, name)};
    int lineNumber = 0;
    for (std::string_view line : SplitLines(*content)) {
        ++lineNumber;
        size_t pos = 0;
        while (pos < line.size()) {
            if (std::isspace(static_cast<unsigned char>(line[pos]))) {
                ++pos;
                continue;
            }
            size_t end = pos;
            while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])))
                ++end;
            options.push_back({std::string(line.substr(pos, end - pos)), {name, lineNumber, {}}});
            pos = end;
        }
    }
    return Status::Ok();
}

}  // namespace

const Option* CommandLine::Find(std::string_view name) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it) {
        if (it->text.starts_with(name))
            return &*it;
    }
    return nullptr;
}

CommandLine SplitCommandLine(std::span<const std::string> args, bool allowOutput) {
    CommandLine commandLine;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-?")
            commandLine.help = true;
        else if (allowOutput && arg == "-o" && i + 1 < args.size())
            commandLine.output = args[++i];
        else if (allowOutput && arg.starts_with("-o") && arg.size() > 2)
            commandLine.output = arg.substr(2);
        else if (arg.starts_with("-f") && arg.size() > 2)
            commandLine.optionFiles.push_back(arg.substr(2));
        else if (arg.starts_with("-"))
            commandLine.options.push_back({arg, {"command line", 0, {}}});
        else
            commandLine.inputs.push_back(arg);
    }
    return commandLine;
}

Status ReadOptions(const ToolContext& context, CommandLine& commandLine,
                   std::span<const OptionRule> rules) {
    for (const std::string& name : commandLine.optionFiles) {
        if (Status read = ReadOptionFile(context, name, commandLine.options); !read)
            return read;
    }
    for (const Option& option : commandLine.options) {
        if (!Known(rules, option.text)) {
            Diagnostic unknown = option.origin;
            unknown.message = "unknown option '" + option.text + "'";
            return unknown;
        }
    }
    return Status::Ok();
}

std::string DescribeOptions(std::span<const OptionRule> rules) {
    std::string text;
    for (const OptionRule& rule : rules) {
        std::string name(rule.name);
        switch (rule.argument) {
            case OptionArgument::kNone:
                break;
            case OptionArgument::kLetters:
                name += "<letters>";
                break;
            case OptionArgument::kNumber:
                name += "<n>";
                break;
            case OptionArgument::kText:
                name += "<text>";
                break;
        }
        name.resize(std::max<size_t>(name.size() + 1, 18), ' ');
        text += "  " + name + std::string(rule.meaning) + "\n";
    }
    return text;
}

}  // namespace cuffware::toolchain
