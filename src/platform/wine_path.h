#pragma once
// The path rule read backwards: a file on the host named as a Windows program
// under Wine names it. A Wine prefix keeps one link per drive in
// $WINEPREFIX/dosdevices ("c:" -> ../drive_c, "z:" -> /), so a host path
// below a drive's target has a Windows form on that drive.

#include <optional>
#include <string>
#include <string_view>

namespace cuffware {

// The Windows form of an absolute host path under the Wine prefix: the drive
// of wineprefix/dosdevices whose target holds the path, links resolved on
// both sides (the deepest target wins, then the first letter), and the rest
// joined with "\" ("c:\q740\app\alarm\src\a.asm"). Nothing when the path is
// not absolute or no drive holds it.
std::optional<std::string> WindowsPathUnderWine(std::string_view hostPath,
                                                std::string_view wineprefix);

// A path as Windows programs under the Wine prefix in force name it: an
// absolute host path in its Windows form where it has one, anything else (a
// Windows path, a path no drive holds) as it is. The project stores a file
// the user chose or dropped in this form, and our tools name host files
// in it.
std::string WindowsFormUnderWine(std::string_view path);

}  // namespace cuffware
