#include "platform/scratch_file.h"

#include <filesystem>
#include <system_error>

#include "platform/host_tree.h"

namespace cuffware {

ScratchFile::ScratchFile(const std::string& name) {
    if (Result<std::string> made = MakeTemporaryDirectory("cuffware-"); made) {
        directory_ = *made;
        path_ = (std::filesystem::path(directory_) / name).string();
    }
}

ScratchFile::~ScratchFile() {
    if (directory_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

}  // namespace cuffware
