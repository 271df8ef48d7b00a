#include "package/build_outputs.h"

#include "project/build_files.h"

namespace cuffware {

int StateSectionCount(const FileTree& tree) {
    int count = 0;
    for (int node = StateNode(0); tree.Contains(node) && tree.ChildCount(node) > 0;
         node = tree.NextSibling(node))
        ++count;
    return count;
}

std::vector<std::string> CodeSectionFiles(const ProjectRecord& project) {
    const int states = StateSectionCount(project.Files);
    std::vector<std::string> files;
    files.reserve(static_cast<size_t>(states) + 2);
    files.push_back(BuildDirectoryFile(project, CheckedSRecordName(kCommonSection)));
    for (int k = 0; k < states; ++k)
        files.push_back(BuildDirectoryFile(project, CheckedSRecordName(StateSection(k))));
    return files;
}

std::vector<std::string> ExpectedSRecordFiles(const ProjectRecord& project) {
    std::vector<std::string> files = CodeSectionFiles(project);
    files.push_back(BuildDirectoryFile(project, CheckedSRecordName(kParameterSection)));
    return files;
}

bool CheckAllSRE(const ProjectRecord& project, FileSystem& files, UserPort& user) {
    if (const int states = StateSectionCount(project.Files); states > kMaxStateSections) {
        user.ShowMessage("The application has " + std::to_string(states) +
                             " state sections; at most " + std::to_string(kMaxStateSections) +
                             " can be packaged.",
                         MessageIcon::Critical);
        return false;
    }
    for (const std::string& path : ExpectedSRecordFiles(project)) {
        Result<bool> present = files.Present(path);
        if (!present || !*present) {
            user.ShowMessage(present ? path + kSRecordMissing : present.error().Text(),
                             MessageIcon::Critical);
            return false;
        }
    }
    return true;
}

}  // namespace cuffware
