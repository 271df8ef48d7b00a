#include "project/build_files.h"

#include "platform/path_text.h"
#include "project/text_rules.h"

namespace cuffware {

std::string BuildDirectoryFile(const ProjectRecord& project, std::string_view name) {
    return JoinPath(Trimmed(project.BuildDirectory), name);
}

std::string StateSection(int state) {
    return "state" + std::to_string(state);
}

std::string SourceName(std::string_view section) {
    return std::string(section) + ".asm";
}

std::string SRecordName(std::string_view section) {
    return std::string(section) + ".sre";
}

std::string CheckedSRecordName(std::string_view section) {
    return ToUpperAscii(section) + ".SRE";
}

std::string SectionFilesPattern(std::string_view section) {
    return std::string(section) + ".*";
}

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

std::string DescriptorName(std::string_view folder) {
    return std::string(folder) + ".app";
}

std::string DescriptionName(std::string_view folder) {
    return std::string(folder) + ".txt";
}

std::string ScriptName(std::string_view folder) {
    return std::string(folder) + ".scr";
}

std::vector<std::string> PackagePaths(const ProjectRecord& project) {
    return {ImagePath(project, kCodeImageKind), ImagePath(project, kParameterImageKind),
            BuildDirectoryFile(project, DescriptionName(Trimmed(project.FolderName)))};
}

}  // namespace cuffware
