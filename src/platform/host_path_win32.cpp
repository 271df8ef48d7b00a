// Windows maps drives and matches names without regard to case itself.

#include "platform/host_path.h"

namespace cuffware {

std::string MapPathText(std::string_view pathText, std::string_view) {
    return std::string(pathText);
}

std::string HostPathFrom(std::string_view workingDirectory, std::string_view pathText) {
    const bool absolute = (pathText.size() >= 2 && pathText[1] == ':') ||
                          (!pathText.empty() && (pathText[0] == '\\' || pathText[0] == '/'));
    if (absolute || workingDirectory.empty())
        return std::string(pathText);
    return std::string(workingDirectory) + "\\" + std::string(pathText);
}

std::string ResolveCase(std::string_view hostPath) {
    return std::string(hostPath);
}

}  // namespace cuffware
