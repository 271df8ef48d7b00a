#include "platform/system_info.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace cuffware {

namespace {

#ifdef _WIN32
class WindowsRegistry : public Registry {
  public:
    std::optional<std::string> GetKeyValue(RegistryRoot, const std::string& keyName,
                                           const std::string& valueName) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_ALL_ACCESS, &key) !=
            ERROR_SUCCESS)
            return std::nullopt;
        char buffer[1024] = {};
        DWORD size = sizeof buffer;
        DWORD type = 0;
        LONG queried = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        if (queried != ERROR_SUCCESS)
            return std::nullopt;
        std::string data(buffer, size < sizeof buffer ? size : sizeof buffer);
        return data.substr(0, data.find('\0'));
    }
};
#else
class EmptyRegistry : public Registry {
  public:
    std::optional<std::string> GetKeyValue(RegistryRoot, const std::string&,
                                           const std::string&) override {
        return std::nullopt;
    }
};
#endif

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

Registry& HostRegistry() {
#ifdef _WIN32
    static WindowsRegistry registry;
#else
    static EmptyRegistry registry;
#endif
    return registry;
}

SysInfoLookup HostSysInfoLookup(Registry& registry, FileSystem& files) {
#ifdef _WIN32
    return SysInfoLookup{registry, files, {}, "", ';'};
#else
    const char* path = std::getenv("PATH");
    return SysInfoLookup{
        registry, files, {"hardinfo", "gnome-system-monitor"}, path ? path : "", ':'};
#endif
}

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

namespace {

// The viewer as a command line. On Windows the path is quoted, so one under
// "C:\Program Files" is not split at its blank.
std::string ViewerCommandLine(const std::string& viewer) {
#ifdef _WIN32
    return "\"" + viewer + "\"";
#else
    return viewer;
#endif
}

}  // namespace

void StartSysInfo(const SysInfoLookup& lookup, ProcessStarter& processes, UserPort& user) {
    std::optional<std::string> viewer = FindSysInfoViewer(lookup);
    if (!viewer || !processes.StartCommandLine(ViewerCommandLine(*viewer)).ok())
        user.ShowMessage(kSysInfoUnavailable, MessageIcon::None);
}

}  // namespace cuffware
