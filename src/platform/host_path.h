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
#include <vector>

namespace cuffware {

// The mapping without looking at the disk. A path that starts with a drive
// letter is a Windows path: it goes below wineprefix/dosdevices/x:, and its
// "." and ".." are taken out as Windows takes them, ".." stopping at the
// drive's root ("c:\..\..\out" is "c:\out"). Any other text is the host's:
// only its "\" become "/", and ".." is left to the host.
std::string MapPathText(std::string_view pathText, std::string_view wineprefix);

// The components of the part of a Windows path after its drive ("\a\..\b"),
// with "." and empty ones dropped and each ".." taking away the one before
// it, if any: none ever climbs above the drive's root.
std::vector<std::string_view> ComponentsBelowDriveRoot(std::string_view afterDrive);

// How many levels a relative path climbs above where it starts: the ".."
// that find no component of its own before them to take away ("a\..\..\b"
// climbs 1).
size_t LevelsClimbed(std::string_view relativePath);

// The host path of a path text as a program whose current directory is the
// host directory workingDirectory sees it: a path with a drive as HostPath
// takes it; one without is on the working directory's drive (the host's
// root when no drive of the Wine prefix holds the directory, as on Wine's
// drive z:), so ".." stops at that drive's root too. An empty working
// directory is the process's own.
std::string HostPathFrom(std::string_view workingDirectory, std::string_view pathText);

// The Wine prefix in force: the one UseWinePrefix chose, else $WINEPREFIX,
// else $HOME/.wine.
std::string WinePrefix();

// Maps drive letters through prefix from now on, whatever the environment
// says (the demo works on a drive of its own); an empty prefix goes back to
// the environment's.
void UseWinePrefix(const std::string& prefix);

// The host path of a path text, with the case of each component resolved
// against the disk where the exact case does not exist.
std::string HostPath(std::string_view pathText);

// The path text, with the host path it maps to in parentheses when that
// differs: "c:\q740 (/home/u/.wine/dosdevices/c:/q740)".
std::string WithHostPath(std::string_view pathText);

// Resolves each component of a host path without regard to case where the
// exact spelling does not exist; components that match nothing stay as given.
std::string ResolveCase(std::string_view hostPath);

}  // namespace cuffware
