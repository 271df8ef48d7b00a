// Windows maps drives and matches names without regard to case itself.

#include "platform/host_path.h"

namespace cuffware {

std::string MapPathText(std::string_view pathText, std::string_view) {
    return std::string(pathText);
}

std::string ResolveCase(std::string_view hostPath) {
    return std::string(hostPath);
}

}  // namespace cuffware
