#pragma once
// The sources a new project starts with: one file for each category an
// application needs, each saying what belongs in it, small enough to build
// at once and to be replaced piece by piece.

#include <string>
#include <vector>

namespace cuffware {

struct StarterSource {
    int categoryNode;  // the tree's category the file is added to
    std::string fileName;
    std::string content;  // lines end in CR LF
};

// The parameter file, the header, the background handler, one common file
// and the code of states 0 to stateCount - 1 (at least one), for an
// application in folder.
std::vector<StarterSource> StarterSources(const std::string& folder, int stateCount);

// The routine tests a new project starts with, in its test folder (not in
// the tree): one test of the common file's ShowTitle.
inline constexpr const char* kStarterTestFile = "appcommon.tst";
std::string StarterTest(const std::string& folder);

}  // namespace cuffware
