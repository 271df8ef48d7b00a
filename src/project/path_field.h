#pragma once
// What every field that names a file or a directory must be, wherever it
// comes from (a script, the window, builder.ini, the command line): no
// control byte (a NUL would cut the name short at the host), no network path
// (the builder maps drives, not shares), and no component that Windows
// takes for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9) whatever its case,
// its extension or the spaces and dots after it.

#include <optional>
#include <string_view>

#include "platform/result.h"
#include "project/project_record.h"
#include "project/tool_settings.h"

namespace cuffware {

// The device a component of the path names ("CON" of "c:\x\con.txt"), in
// capitals; nothing when none does.
std::optional<std::string> DeviceNameIn(std::string_view pathText);

// True for "\\server\share\..." (any two separators first).
bool IsNetworkPath(std::string_view pathText);

// Nothing when text can stand in the field; else the reason, led by what
// (the field's name, "the build directory") and quoting the text with its
// control bytes escaped. The Diagnostic's path and line are the caller's.
Status CheckPathField(std::string_view text, std::string_view what);

// The first field of the project or the settings that CheckPathField
// refuses: the folder name, the version required, the PC interface, the five
// directories, every file of the tree, the SDK and toolchain directories.
Status CheckProjectPaths(const ProjectRecord& project, const ToolSettings& settings);

}  // namespace cuffware
