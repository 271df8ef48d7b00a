#pragma once
// The window program's command line: cuffware-builder [--settings FILE] [SCRIPT].

#include <optional>
#include <string>
#include <vector>

namespace cuffware {

struct BuilderArguments {
    std::string settingsPath;
    // The words after the options joined by one blank: a builder script to
    // open at start when it is not blank, so a path with blanks needs no quotes.
    std::string argumentText;
};

// words are the arguments after the program name. The settings file is the
// one --settings names when it comes first, else the one the program's
// directory calls for (ChosenSettingsFile).
BuilderArguments ParseBuilderArguments(const std::vector<std::string>& words);

// What the window program answers on the console instead of opening its
// window: for --help (or -h) the usage, for --version the version and the
// settings file in use, each when it is the only word; nothing for any
// other command line. Both front ends print it before their window system
// starts, so it needs no display.
std::optional<std::string> ConsoleAnswer(const std::vector<std::string>& words);

}  // namespace cuffware
