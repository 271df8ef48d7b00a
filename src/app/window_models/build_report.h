#pragma once
// The build's report as the build's window shows it: what it opens at.

#include <optional>
#include <string_view>

namespace cuffware {

// The number (from 0) of the report's first line that names an error in a
// source file, or nothing when none does. Such a line starts with the file,
// a name with an extension (a Windows path's drive letter and colon may come
// before it), then ":LINE:" and either a blank, as our tools write an error
// ("clock.asm:12: unknown instruction"), or "COLUMN: error:", as a C
// compiler does. The same with "warning" or "note" in place of the reason is
// no error; nor is a line that starts with a blank ("  included from
// state1.asm:99").
std::optional<size_t> FirstErrorLine(std::string_view report);

}  // namespace cuffware
