#pragma once
// Locating and starting the system information viewer the About box offers.
// On Windows the viewer is named by two registry values; off Windows there is
// no such registry, and a desktop viewer is looked for on the search path.

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/user_port.h"

namespace cuffware {

enum class RegistryRoot { LocalMachine };

// Reads values of the platform registry.
class Registry {
  public:
    virtual ~Registry() = default;

    // The value's data cut at its first zero byte, or nothing when the key
    // cannot be opened or the value cannot be read.
    virtual std::optional<std::string> GetKeyValue(RegistryRoot root, const std::string& keyName,
                                                   const std::string& valueName) = 0;
};

// The host's registry. Off Windows it holds no values.
Registry& HostRegistry();

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

inline constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kMsinfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Where the viewer is looked for.
struct SysInfoLookup {
    Registry& registry;
    FileSystem& files;
    // Programs tried, in order, in each directory of searchPath when the
    // registry names no viewer.
    std::vector<std::string> fallbackViewers;
    std::string searchPath;  // directories separated by pathSeparator
    char pathSeparator = ':';
};

// The host's lookup: its registry, and off Windows "hardinfo" and then
// "gnome-system-monitor" on $PATH.
SysInfoLookup HostSysInfoLookup(Registry& registry, FileSystem& files);

// The viewer's full path: the MSINFO "PATH" value; else MSINFO32.EXE in the
// directory the "Shared Tools Location" value names, when it exists; else the
// first fallback viewer found on the search path.
std::optional<std::string> FindSysInfoViewer(const SysInfoLookup& lookup);

// The viewer as a command line. On Windows the path is quoted, so one under
// "C:\Program Files" is not split at its blank.
std::string SysInfoCommandLine(const std::string& viewer);

// Starts the viewer without waiting; when none is found or it cannot be
// started, tells the user that system information is unavailable.
void StartSysInfo(const SysInfoLookup& lookup, ProcessStarter& processes, UserPort& user);

}  // namespace cuffware
