#pragma once
// One line of a batch file, read as the command interpreter reads it. The
// reading is pure; batch_runner.h carries the commands out.

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace cuffware::batch {

struct BatchCommand {
    enum Kind {
        kNothing,          // blank line, REM or "::" comment, ECHO OFF / ECHO ON
        kEcho,             // ECHO text: text
        kChangeDirectory,  // CD / CHDIR: text is the directory (empty: show the current one)
        kDelete,           // DEL / ERASE: words are the file patterns
        kCopy,             // COPY: words are the source and the destination
        kProgram,          // anything else: words are the program and its arguments
    };
    Kind kind = kNothing;
    std::string text;
    std::vector<std::string> words;

    bool operator==(const BatchCommand&) const = default;
};

// The command of one line (without its line end). Each "%%" stands for one
// "%"; double quotes group a name with blanks and are dropped. A leading "@"
// only hides the line and is dropped. Switches ("/Q", "/Y") of DEL and COPY are
// accepted and ignored. A DEL without a pattern or a COPY without a source,
// or with more than two names, is a Diagnostic without a path.
Result<BatchCommand> ParseBatchLine(std::string_view line);

}  // namespace cuffware::batch
