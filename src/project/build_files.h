#pragma once
// The files of a project's build directory and of the SDK, named in one
// place: what the builder writes there, what the toolchain leaves there and
// the build deletes, the package, and what the build and the downloader run
// from the SDK's and the toolchain's directories (which the set-up check
// looks for). A writer composes a GeneratedFile; its caller writes it.

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
// A file of a section: its base name and an extension.
std::string SectionFile(std::string_view section, std::string_view extension);
std::string SourceName(std::string_view section);   // ".asm"
std::string SRecordName(std::string_view section);  // ".sre"
// What the assembler and the linker make of a section.
inline constexpr std::string_view kObjectExtension = ".obj";
inline constexpr std::string_view kLinkedExtension = ".out";
// The S-records as the package's check names them, in upper case.
std::string CheckedSRecordName(std::string_view section);
// Every file made from a section: "<section>.*".
std::string SectionFilesPattern(std::string_view section);

// The common section's map and symbols, the equates maplist and labelset
// derive from them, and the header the states include them by.
inline constexpr std::string_view kMapExtension = ".map";
inline constexpr std::string_view kSymbolsExtension = ".sy";
inline constexpr std::string_view kEquatesExtension = ".equ";
inline constexpr std::string_view kCommonHeaderName = "comminc.h";

// The patterns build.bat deletes before it builds (what an earlier build
// left) and after it (the toolchain's intermediate files).
std::vector<std::string> StaleBuildPatterns();
std::vector<std::string> IntermediateBuildPatterns();

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

// Below the SDK's directory (BIN= in builder.ini): its headers, with the main
// header every source includes first.
std::string SdkIncludeDirectory(std::string_view sdkDirectory);
inline constexpr std::string_view kSdkMainHeader = "Q740INC.H";

// The programs the build and the downloader run, each in the "bin" folder of
// the SDK's directory or of the toolchain's (ASSEMBLER=).
std::string ProgramFolder(std::string_view directory);
std::string ProgramPath(std::string_view directory, std::string_view program);
inline constexpr std::string_view kAssemblerProgram = "as88.exe";         // toolchain
inline constexpr std::string_view kLinkerProgram = "lk88.exe";            // toolchain
inline constexpr std::string_view kLocatorProgram = "lc88.exe";           // toolchain
inline constexpr std::string_view kMaplistProgram = "maplist";            // SDK
inline constexpr std::string_view kLabelsetProgram = "labelset";          // SDK
inline constexpr std::string_view kDownloaderProgram = "CuffwareDL.exe";  // SDK

// The processor description the option files name; the toolchain's programs
// find it in their own ../etc.
inline constexpr std::string_view kProcessorDescription = "s1c88349.dsc";
std::string ProcessorDescriptionPath(std::string_view toolchainDirectory);

}  // namespace cuffware
