#pragma once
// The window program's command line: cuffware-builder [--settings FILE] [SCRIPT].

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

}  // namespace cuffware
