// Windows maps drives and matches names without regard to case itself.

#include "platform/host_path.h"
#include "platform/path_text.h"

namespace cuffware {

std::string MapPathText(std::string_view pathText, std::string_view) {
    return std::string(pathText);
}

std::string HostPathFrom(std::string_view workingDirectory, std::string_view pathText) {
    const bool absolute = !DriveOf(pathText).empty() || IsRooted(pathText);
    if (absolute || workingDirectory.empty())
        return std::string(pathText);
    // The working directory is a host path: joined as host paths are here,
    // with "/", which Windows takes as a separator too.
    return std::string(workingDirectory) + "/" + std::string(pathText);
}

void AnchorWinePrefix() {}

std::string ResolveCase(std::string_view hostPath) {
    return std::string(hostPath);
}

}  // namespace cuffware
