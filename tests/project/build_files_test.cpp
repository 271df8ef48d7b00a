// The build directory's names as the build uses them: what build.bat deletes
// before it builds takes every file an earlier build made and none that
// generation wrote; what it deletes after keeps what the package takes.

#include "project/build_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace cuffware {
namespace {

bool AnyMatches(const std::vector<std::string>& patterns, const std::string& name) {
    for (const std::string& pattern : patterns)
        if (WildcardMatch(pattern, name))
            return true;
    return false;
}

std::vector<std::string> Sections() {
    return {std::string(kCommonSection), StateSection(0), StateSection(12),
            std::string(kParameterSection)};
}

TEST(BuildFiles, AnEarlierBuildIsDeletedAndWhatGenerationWroteStays) {
    const std::vector<std::string> stale = StaleBuildPatterns();
    for (const std::string& section : Sections()) {
        SCOPED_TRACE(section);
        EXPECT_TRUE(AnyMatches(stale, SectionFile(section, kObjectExtension)));
        EXPECT_TRUE(AnyMatches(stale, SectionFile(section, kLinkedExtension)));
        EXPECT_TRUE(AnyMatches(stale, SRecordName(section)));
        EXPECT_TRUE(AnyMatches(stale, CheckedSRecordName(section)));
        EXPECT_FALSE(AnyMatches(stale, SourceName(section)));
    }
    EXPECT_TRUE(AnyMatches(stale, ImageFileName("demo", kCodeImageKind, "018")));
    EXPECT_TRUE(AnyMatches(stale, ImageFileName("demo", kParameterImageKind, "018")));
    for (std::string_view written : {kBuildBatchName, kAssemblerOptionsName, kLinkerOptionsName,
                                     kLocatorOptionsName, kCommonHeaderName})
        EXPECT_FALSE(AnyMatches(stale, std::string(written))) << written;
    EXPECT_FALSE(AnyMatches(stale, DescriptorName("demo")));
    EXPECT_FALSE(AnyMatches(stale, ScriptName("demo")));
}

TEST(BuildFiles, TheBuildsIntermediatesGoAndThePackagesInputsStay) {
    const std::vector<std::string> intermediate = IntermediateBuildPatterns();
    EXPECT_TRUE(AnyMatches(intermediate, SectionFile(kCommonSection, kLinkedExtension)));
    EXPECT_TRUE(AnyMatches(intermediate, SectionFile(kCommonSection, kSymbolsExtension)));
    for (const std::string& section : Sections())
        EXPECT_FALSE(AnyMatches(intermediate, SRecordName(section))) << section;
    EXPECT_FALSE(AnyMatches(intermediate, SectionFile(kCommonSection, kMapExtension)));
    EXPECT_FALSE(AnyMatches(intermediate, std::string(kCommonHeaderName)));
}

}  // namespace
}  // namespace cuffware
