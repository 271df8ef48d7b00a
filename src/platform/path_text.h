#pragma once
// Taking a path text apart. A project holds its paths as Windows programs
// name them ("c:\q740\app\demo\build"): joined with "\" and never
// normalised. Either "\" or "/" separates, so a host path taken from a
// dialog or a command line comes apart the same way.

#include <string>
#include <string_view>

namespace cuffware {

bool IsPathSeparator(char c);

// Whether two names are the same to Windows, which compares file names and
// environment variable names without regard to ASCII case.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// "c:" of "c:\q740" or "c:demo.scr"; "" when the text names no drive.
std::string_view DriveOf(std::string_view pathText);

// True when the text starts at a root: "c:\...", "\...", "/...".
bool IsRooted(std::string_view pathText);

// The part after the last separator (after the drive when there is none):
// "demo.scr" of "c:\q740\build\demo.scr"; the whole text when it has neither.
std::string_view FileNameOf(std::string_view pathText);

// The part before the last separator, keeping a root: "c:\q740" of
// "c:\q740\app", "c:\" of "c:\q740", "/" of "/x"; "" when there is no
// separator.
std::string_view DirectoryOf(std::string_view pathText);

// The text with its file name's extension (from its last ".") replaced, or
// the extension added when it has none: "c:\src\common.asm", ".obj" ->
// "c:\src\common.obj".
std::string WithExtension(std::string_view pathText, std::string_view extension);

// DirectoryOf, or "." (the current directory) when the text has none.
std::string DirectoryOrCurrent(std::string_view pathText);

// directory + "\" + name, as the builder joins every path it writes.
std::string JoinPath(std::string_view directory, std::string_view name);

}  // namespace cuffware
