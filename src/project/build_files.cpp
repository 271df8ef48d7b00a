#include "project/build_files.h"

#include <iterator>

#include "platform/path_text.h"
#include "platform/text_rules.h"

namespace cuffware {

namespace {

constexpr std::string_view kImageExtension = ".bin";

// What the toolchain leaves beside the sections' files (errors, link and
// locate scratch, backups) and a new build deletes first. The listings
// (".lst") and the scratch files (".tmp") are named where they are deleted.
constexpr const char* kToolchainLeftovers[] = {"*.err", "*.lnl", "*.cal", "*.bak",
                                               "*.ers", "*.elk", "*.elc"};

}  // namespace

std::string BuildDirectoryFile(const ProjectRecord& project, std::string_view name) {
    return JoinPath(Trimmed(project.BuildDirectory), name);
}

std::string StateSection(int state) {
    return "state" + std::to_string(state);
}

std::string SectionFile(std::string_view section, std::string_view extension) {
    return std::string(section) + std::string(extension);
}

std::string SourceName(std::string_view section) {
    return SectionFile(section, ".asm");
}

std::string SRecordName(std::string_view section) {
    return SectionFile(section, ".sre");
}

std::string CheckedSRecordName(std::string_view section) {
    return ToUpperAscii(section) + ".SRE";
}

std::string SectionFilesPattern(std::string_view section) {
    return SectionFile(section, ".*");
}

std::vector<std::string> StaleBuildPatterns() {
    std::vector<std::string> patterns = {SRecordName("*"), "*" + std::string(kImageExtension),
                                         "*.lst", SectionFile("*", kObjectExtension),
                                         SectionFile("*", kLinkedExtension)};
    patterns.insert(patterns.end(), std::begin(kToolchainLeftovers), std::end(kToolchainLeftovers));
    return patterns;
}

std::vector<std::string> IntermediateBuildPatterns() {
    return {SectionFile("*", kLinkedExtension), SectionFile("*", kSymbolsExtension), "*.tmp",
            "*.lnl", "*.cal"};
}

std::string ImageFileName(std::string_view folder, std::string_view kind, std::string_view ver3) {
    std::string name(folder);
    name += '_';
    name += kind;
    name += '_';
    name += ver3;
    return name + std::string(kImageExtension);
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

std::string SdkIncludeDirectory(std::string_view sdkDirectory) {
    return JoinPath(sdkDirectory, "include");
}

std::string ProgramFolder(std::string_view directory) {
    return JoinPath(directory, "bin");
}

std::string ProgramPath(std::string_view directory, std::string_view program) {
    return JoinPath(ProgramFolder(directory), program);
}

std::string ProcessorDescriptionPath(std::string_view toolchainDirectory) {
    return JoinPath(JoinPath(toolchainDirectory, "etc"), kProcessorDescription);
}

}  // namespace cuffware
