#pragma once
// Path texts are the Windows-style texts the user types and the project
// stores ("c:\q740\app\demo\build\common.asm"). They reach the host only
// through HostPath: on Windows as they are; elsewhere a drive "X:" maps to
// $WINEPREFIX/dosdevices/x: (WINEPREFIX defaults to ~/.wine), every "\"
// becomes "/", and a component that does not exist in its exact case is
// matched without regard to case. So an SDK installed under Wine is found
// where Wine put it, and plain POSIX paths work too.

#include <string>
#include <string_view>

namespace cuffware {

// The mapping without looking at the disk: drive letter and separators only.
// wineprefix is used for a path that starts with a drive letter.
std::string MapPathText(std::string_view pathText, std::string_view wineprefix);

// The Wine prefix in force: the one UseWinePrefix chose, else $WINEPREFIX,
// else $HOME/.wine.
std::string WinePrefix();

// Maps drive letters through prefix from now on, whatever the environment
// says (the demo works on a drive of its own).
void UseWinePrefix(const std::string& prefix);

// The host path of a path text, with the case of each component resolved
// against the disk where the exact case does not exist.
std::string HostPath(std::string_view pathText);

// Resolves each component of a host path without regard to case where the
// exact spelling does not exist; components that match nothing stay as given.
std::string ResolveCase(std::string_view hostPath);

}  // namespace cuffware
