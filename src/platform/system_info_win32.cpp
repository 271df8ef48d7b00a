// The system information viewer on Windows: named by the registry.

#include <windows.h>

#include "platform/system_info.h"

namespace cuffware {

namespace {

class WindowsRegistry : public Registry {
  public:
    // Read access is all the lookup needs; asking for more fails for every
    // user who is not an administrator.
    std::optional<std::string> GetKeyValue(RegistryRoot, const std::string& keyName,
                                           const std::string& valueName) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) !=
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

}  // namespace

Registry& HostRegistry() {
    static WindowsRegistry registry;
    return registry;
}

SysInfoLookup HostSysInfoLookup(Registry& registry, FileSystem& files) {
    return SysInfoLookup{registry, files, {}, "", ';'};
}

std::string SysInfoCommandLine(const std::string& viewer) {
    return "\"" + viewer + "\"";
}

}  // namespace cuffware
