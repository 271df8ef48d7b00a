#pragma once
// The builder script (*.scr): the project as lines of text, one record per
// line, category blocks of a count followed by that many paths.

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/result.h"
#include "project/project_record.h"

namespace cuffware {

// The script's text: fourteen fields, the category count (the tree's
// NumberOfStates + 5), then one block per category in node order. The tree's
// own shape is written, so a NumberOfStates changed in the Options after the
// tree was built cannot drop or invent categories. Lines end in CR LF; the
// reader takes LF or CR alone as well.
std::string BuilderScriptText(const ProjectRecord& project);

// The bounds of what a script may list: files in all, and the INCLUDE lines
// they put into the build scripts in bytes (a header file counts once per
// section source). Together they keep the largest script the reader accepts
// within about a second of generation and a few tens of megabytes of memory.
inline constexpr long long kMaxScriptFiles = 1 << 18;
inline constexpr size_t kMaxScriptBytes = 64 << 20;
inline constexpr long long kMaxScriptIncludeBytes = 64LL << 20;

// The project a script's text describes, built on a fresh tree for the
// settings' NumberOfStates. Whole lines are records, each trimmed. A script
// that ends early, a count that is not a whole number or is negative, a
// category count above the tree's, a flag other than 0 and 1, a control
// byte in a path or a file name's part (folder name, version required, PC
// interface, the directories, the files), or files beyond kMaxScriptFiles
// or kMaxScriptIncludeBytes fails with the path and line; a quoted value shows
// its control bytes escaped.
Result<ProjectRecord> ParseBuilderScript(std::string_view text, const std::string& pathText,
                                         const ToolSettings& settings);

// Writes the open project to its script path, replacing the file atomically.
Status SaveBuilderScript(FileSystem& fs, const ProjectRecord& project);

// Reads a script into a new project; the caller replaces the open project
// only on success, so a failure leaves it exactly as it was.
Result<ProjectRecord> RestoreBuilderScript(FileSystem& fs, const std::string& filename,
                                           const ToolSettings& settings);

}  // namespace cuffware
