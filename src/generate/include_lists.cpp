#include "generate/include_lists.h"

#include <string>

#include "generate/sdk_headers.h"
#include "platform/path_text.h"
#include "platform/text_rules.h"

namespace cuffware {

namespace {

void IncludeLine(TextFile& file, std::string_view path) {
    file.Line("    INCLUDE '" + std::string(path) + "'");
}

// A node that is not in the tree lists nothing, like an empty category.
void CategoryList(TextFile& file, const FileTree& tree, int categoryNode) {
    if (!tree.Contains(categoryNode))
        return;
    for (const std::string& path : tree.Files(categoryNode))
        IncludeLine(file, Trimmed(path));
}

}  // namespace

void AppendSdkIncludes(TextFile& file, const ProjectRecord& project) {
    const std::string includeDirectory = Trimmed(project.IncludeDirectory);
    file.Line();
    for (std::string_view name : SdkHeaderNames())
        IncludeLine(file, JoinPath(includeDirectory, name));
    file.Line();
}

void AppendHeaderIncludes(TextFile& file, const ProjectRecord& project) {
    CategoryList(file, project.Files, project.Files.NodeByKey("header"));
}

void AppendBackgroundIncludes(TextFile& file, const ProjectRecord& project) {
    CategoryList(file, project.Files, project.Files.NodeByKey("background"));
}

void AppendCommonIncludes(TextFile& file, const ProjectRecord& project) {
    CategoryList(file, project.Files, project.Files.NodeByKey("common"));
}

void AppendCategoryIncludes(TextFile& file, const ProjectRecord& project, int16_t categoryNode) {
    CategoryList(file, project.Files, categoryNode);
}

}  // namespace cuffware
