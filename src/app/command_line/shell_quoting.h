#pragma once
// Command lines printed for a user to paste into a shell: each word quoted
// so that the shell hands it to the program unchanged. A POSIX shell takes
// 'single quotes'; cmd.exe takes "double quotes" as a Windows program splits
// its command line, with carets before the characters cmd.exe itself acts on
// when plain quotes cannot hold the word.

#include <string>
#include <string_view>
#include <vector>

namespace cuffware {

enum class Shell { kPosix, kCmd };

// One word, quoted for shell only when it needs to be.
std::string QuotedWord(std::string_view word, Shell shell);

// The words quoted and joined by blanks.
std::string CommandLine(const std::vector<std::string>& words, Shell shell);

}  // namespace cuffware
