#pragma once
// One file a generator composed: where it goes (a path text, written through
// the file system's path rule) and its whole content.

#include <string>
#include <string_view>

#include "project/project_record.h"

namespace cuffware {

struct GeneratedFile {
    std::string path;
    std::string content;
};

// The trimmed build directory + "\" + name, joined as it stands.
std::string BuildDirectoryFile(const ProjectRecord& project, std::string_view name);

}  // namespace cuffware
