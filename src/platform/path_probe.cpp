#include "platform/path_probe.h"

#include <filesystem>
#include <system_error>

#include "platform/host_path.h"
#include "platform/host_process.h"

namespace cuffware {

PathProbe ProbePath(std::string_view pathText) {
    PathProbe probe;
    probe.hostPath = HostPath(pathText);
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(probe.hostPath, error);
    if (std::filesystem::is_directory(status)) {
        probe.kind = PathProbe::kDirectory;
    } else if (std::filesystem::is_regular_file(status)) {
        probe.kind = PathProbe::kFile;
        probe.windowsProgram = IsWindowsExecutable(probe.hostPath);
    }
    return probe;
}

}  // namespace cuffware
