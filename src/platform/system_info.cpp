// Finding and starting the system information viewer; the host's registry
// and search path are in system_info_posix.cpp and system_info_win32.cpp.

#include "platform/system_info.h"

namespace cuffware {

namespace {

std::optional<std::string> FindOnSearchPath(const SysInfoLookup& lookup,
                                            const std::string& program) {
    size_t start = 0;
    while (start <= lookup.searchPath.size()) {
        size_t end = lookup.searchPath.find(lookup.pathSeparator, start);
        if (end == std::string::npos)
            end = lookup.searchPath.size();
        std::string directory = lookup.searchPath.substr(start, end - start);
        if (!directory.empty()) {
            std::string candidate = directory + "/" + program;
            if (lookup.files.Exists(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FindSysInfoViewer(const SysInfoLookup& lookup) {
    if (std::optional<std::string> path =
            lookup.registry.GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH"))
        return path;
    if (std::optional<std::string> directory =
            lookup.registry.GetKeyValue(RegistryRoot::LocalMachine, kMsinfoLocationKey, "MSINFO")) {
        std::string viewer = *directory + "\\MSINFO32.EXE";
        return lookup.files.Exists(viewer) ? std::optional<std::string>(viewer) : std::nullopt;
    }
    for (const std::string& program : lookup.fallbackViewers)
        if (std::optional<std::string> found = FindOnSearchPath(lookup, program))
            return found;
    return std::nullopt;
}

void StartSysInfo(const SysInfoLookup& lookup, ProcessStarter& processes, UserPort& user) {
    std::optional<std::string> viewer = FindSysInfoViewer(lookup);
    if (!viewer || !processes.StartCommandLine(SysInfoCommandLine(*viewer)).ok())
        user.ShowMessage(kSysInfoUnavailable, MessageIcon::None);
}

}  // namespace cuffware
