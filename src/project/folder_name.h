#pragma once
// An application's folder name is one plain folder below the SDK's app
// folder: the project's directories are made from it, so a name that climbs
// out (".."), names a drive or a deeper path, or that Windows would read as
// another name (a trailing dot or space) would put them somewhere else; a
// Windows device name (CON, NUL, COM1, ...) names no folder at all.

#include <string_view>

#include "platform/result.h"

namespace cuffware {

// Nothing when folder can be the folder name; else the reason, naming the
// field and quoting the name with its control bytes escaped.
Status CheckPlainFolderName(std::string_view folder);

}  // namespace cuffware
