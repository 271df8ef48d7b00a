#pragma once
// The command lines of the toolchain's tools: input files, "-o OUTPUT",
// "-fFILE" option files (whitespace-separated options over any number of
// lines) and options, each checked against the tool's own table.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

enum class OptionArgument {
    kNone,     // the option exactly: "-err"
    kLetters,  // one or more letters follow: "-Ms", "-LcdeGlmNpqsWXy"
    kNumber,   // one or more digits follow: "-w137"
    kText,     // any non-empty text follows: "-ds1c88349.dsc", "-f2b32"
};

struct OptionRule {
    std::string_view name;
    OptionArgument argument;
    std::string_view meaning;  // one line for --help
};

// One option as given, with where it came from (the option file and line,
// or "command line" and 0).
struct Option {
    std::string text;
    Diagnostic origin;  // path and line only

    // The text after the option's name, such as "s1c88349.dsc" for "-d".
    std::string_view Argument(std::string_view name) const {
        return std::string_view(text).substr(name.size());
    }
};

struct CommandLine {
    bool help = false;
    std::vector<std::string> inputs;
    std::string output;  // after -o; empty when not given
    std::vector<std::string> optionFiles;
    std::vector<Option> options;  // those on the command line, then those of the files

    // The last option whose text starts with name, or nullptr.
    const Option* Find(std::string_view name) const;
};

// Sorts args (without the program name) into inputs, output, option files
// and options. allowOutput says whether the tool takes "-o".
CommandLine SplitCommandLine(std::span<const std::string> args, bool allowOutput);

// Reads the option files into commandLine.options, then checks every option
// against rules: a missing option file or an unknown option fails.
Status ReadOptions(const ToolContext& context, CommandLine& commandLine,
                   std::span<const OptionRule> rules);

// The --help text's list of options, one per line.
std::string DescribeOptions(std::span<const OptionRule> rules);

}  // namespace cuffware::toolchain
