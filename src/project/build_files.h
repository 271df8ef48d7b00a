#pragma once
// The files of a project's build directory, named in one place: what the
// builder writes there, what the toolchain leaves there, and the package.
// A writer composes a GeneratedFile; its caller writes it.

#include <string>
#include <string_view>
#include <vector>

#include "project/project_record.h"

namespace cuffware {

// One composed file: where it goes (a path text, written through the file
// system's path rule) and its whole content.
struct GeneratedFile {
    std::string path;
    std::string content;
};

// The trimmed build directory + "\" + name, joined as it stands.
std::string BuildDirectoryFile(const ProjectRecord& project, std::string_view name);

// The base names of the sections build.bat assembles, links and locates:
// "common", "state<N>", "param". Each has its source (".asm"), the files the
// toolchain makes from it, and its S-records (".sre").
inline constexpr std::string_view kCommonSection = "common";
inline constexpr std::string_view kParameterSection = "param";
std::string StateSection(int state);
std::string SourceName(std::string_view section);
std::string SRecordName(std::string_view section);
// The S-records as the package's check names them, in upper case.
std::string CheckedSRecordName(std::string_view section);
// Every file made from a section: "<section>.*".
std::string SectionFilesPattern(std::string_view section);

inline constexpr std::string_view kBuildBatchName = "build.bat";
// The toolchain's option files, which build.bat hands to each tool.
inline constexpr std::string_view kAssemblerOptionsName = "ascmd.cmd";
inline constexpr std::string_view kLinkerOptionsName = "lkcmd.cmd";
inline constexpr std::string_view kLocatorOptionsName = "lccmd.cmd";

// The package's images: folder + "_" + kind + "_" + ver3 + ".bin", the
// folder name as the caller gives it.
inline constexpr std::string_view kCodeImageKind = "code";
inline constexpr std::string_view kParameterImageKind = "par";
inline constexpr std::string_view kDatabaseImageKind = "dbase";
std::string ImageFileName(std::string_view folder, std::string_view kind, std::string_view ver3);
// Build directory + "\" + the image's name with the folder name in lower
// case, as the images are written.
std::string ImagePath(const ProjectRecord& project, std::string_view kind);

// The application descriptor, the description text and the builder script:
// folder + ".app", ".txt", ".scr".
std::string DescriptorName(std::string_view folder);
std::string DescriptionName(std::string_view folder);
std::string ScriptName(std::string_view folder);

// The package's three files: code image, parameter image, description.
std::vector<std::string> PackagePaths(const ProjectRecord& project);

}  // namespace cuffware
