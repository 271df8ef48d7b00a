#include "package/package_names.h"

#include "generate/generated_file.h"
#include "project/text_rules.h"

namespace cuffware {

std::string ImageFileName(std::string_view folder, std::string_view kind, std::string_view ver3) {
    std::string name(folder);
    name += '_';
    name += kind;
    name += '_';
    name += ver3;
    return name + ".bin";
}

std::string ImagePath(const ProjectRecord& project, std::string_view kind) {
    return BuildDirectoryFile(project, ImageFileName(ToLowerAscii(Trimmed(project.FolderName)),
                                                     kind, Ver3(project.VersionRequired)));
}

std::string DescriptionPath(const ProjectRecord& project) {
    return BuildDirectoryFile(project, Trimmed(project.FolderName) + ".txt");
}

std::vector<std::string> PackagePaths(const ProjectRecord& project) {
    return {ImagePath(project, "code"), ImagePath(project, "par"), DescriptionPath(project)};
}

}  // namespace cuffware
