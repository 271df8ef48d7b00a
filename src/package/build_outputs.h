#pragma once
// The S-record files a build leaves in the build directory, and CheckAllSRE,
// which makes sure they are all there before anything is packaged.

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/user_port.h"
#include "project/project_record.h"

namespace cuffware {

// The expected-file list has room for 100 paths: COMMON.SRE, the state
// sections and PARAM.SRE.
inline constexpr int kMaxStateSections = 98;

inline constexpr const char* kSRecordMissing =
    " not found. Correct errors and Run Build Scripts again.";

// The state categories that hold files, counted from State 0 upward by the
// next-sibling link and stopping at the first that holds none.
int StateSectionCount(const FileTree& tree);

// The S-record files of the code image's sections, in section order:
// BuildDir + "\COMMON.SRE", then BuildDir + "\STATE<k>.SRE" for each state
// section.
std::vector<std::string> CodeSectionFiles(const ProjectRecord& project);

// What CheckAllSRE tests, in order: the code section files, then
// BuildDir + "\PARAM.SRE".
std::vector<std::string> ExpectedSRecordFiles(const ProjectRecord& project);

// True when every expected S-record file exists. Otherwise shows one critical
// message, for the first file missing, and returns false; a project with more
// state sections than the list can hold is refused the same way.
bool CheckAllSRE(const ProjectRecord& project, FileSystem& files, UserPort& user);

}  // namespace cuffware
