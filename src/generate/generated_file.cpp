#include "generate/generated_file.h"

#include "project/text_rules.h"

namespace cuffware {

std::string BuildDirectoryFile(const ProjectRecord& project, std::string_view name) {
    return Trimmed(project.BuildDirectory) + "\\" + std::string(name);
}

}  // namespace cuffware
