// The system information viewer off Windows: no registry, a desktop viewer
// on the search path.

#include <cstdlib>

#include "platform/system_info.h"

namespace cuffware {

namespace {

class EmptyRegistry : public Registry {
  public:
    std::optional<std::string> GetKeyValue(RegistryRoot, const std::string&,
                                           const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace

Registry& HostRegistry() {
    static EmptyRegistry registry;
    return registry;
}

SysInfoLookup HostSysInfoLookup(Registry& registry, FileSystem& files) {
    const char* path = std::getenv("PATH");
    return SysInfoLookup{
        registry, files, {"hardinfo", "gnome-system-monitor"}, path ? path : "", ':'};
}

std::string SysInfoCommandLine(const std::string& viewer) {
    return viewer;
}

}  // namespace cuffware
