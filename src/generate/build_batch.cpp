#include "generate/build_batch.h"

#include <string>
#include <string_view>
#include <vector>

#include "generate/builder_banner.h"
#include "platform/text_file.h"
#include "platform/text_rules.h"

namespace cuffware {

namespace {

constexpr std::string_view kSeparator = "rem ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;";

// A path as the command interpreter must read it in a batch file: quoted
// when it holds a character the interpreter splits at or acts on, with each
// "%" doubled, since a batch file expands "%" even between quotes. Any other
// path stands as it is.
std::string CommandPath(std::string_view path) {
    if (path.find_first_of(" \t&|^()%<>,;=") == std::string_view::npos)
        return std::string(path);
    std::string quoted = "\"";
    for (char c : path) {
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    return quoted + "\"";
}

void Heading(TextFile& file, std::string_view title) {
    file.Line(kSeparator);
    file.Line("rem ; " + std::string(title));
    file.Line(kSeparator);
}

std::string Program(std::string_view directory, std::string_view name) {
    return CommandPath(ProgramPath(directory, name));
}

// Assemble, link and locate one section, named by its base name.
void SectionChain(TextFile& file, const std::string& asmDir, std::string_view section) {
    file.Line(Program(asmDir, kAssemblerProgram) + " " + SourceName(section) + " -f" +
              std::string(kAssemblerOptionsName));
    file.Line(Program(asmDir, kLinkerProgram) + " " + SectionFile(section, kObjectExtension) +
              " -o " + SectionFile(section, kLinkedExtension) + " -f" +
              std::string(kLinkerOptionsName));
    file.Line(Program(asmDir, kLocatorProgram) + " " + SectionFile(section, kLinkedExtension) +
              " -o " + SRecordName(section) + " -f" + std::string(kLocatorOptionsName));
}

void Deletions(TextFile& file, const std::vector<std::string>& patterns) {
    for (const std::string& pattern : patterns)
        file.Line("del " + pattern);
}

}  // namespace

GeneratedFile ComposeBuildBatch(const ProjectRecord& project, const ToolSettings& settings,
                                StateNumber highestState) {
    const std::string buildDir = Trimmed(project.BuildDirectory);
    const std::string asmDir = Trimmed(project.AssemblerDirectory);
    const std::string& sdkDir = settings.SdkPath;  // as stored in builder.ini

    TextFile file;
    file.Line("@ECHO OFF");
    AppendBatchBanner(file, project);
    Heading(file, "Clean up cuffware build directory");
    file.Line();
    file.Line("cd " + CommandPath(buildDir));
    file.Line();
    Deletions(file, StaleBuildPatterns());
    file.Line();

    Heading(file, "Build Common Section");
    file.Line();
    SectionChain(file, asmDir, kCommonSection);
    file.Line(Program(sdkDir, kMaplistProgram) + " " + SectionFile(kCommonSection, kMapExtension));
    file.Line(Program(sdkDir, kLabelsetProgram) + " " +
              SectionFile(kCommonSection, kSymbolsExtension));
    file.Line("copy " + SectionFile(kCommonSection, kEquatesExtension) + " " +
              std::string(kCommonHeaderName));
    file.Line();

    Heading(file, "Build State Handler Section");
    for (int n = 0; n <= highestState.value(); ++n) {
        const std::string name = StateSection(n);
        file.Line();
        file.Line("rem Build " + name + " Handler");
        SectionChain(file, asmDir, name);
        file.Line();
    }

    file.Line();
    Heading(file, "Build Parameter File");
    file.Line();
    SectionChain(file, asmDir, kParameterSection);
    file.Line();
    file.Line();
    Heading(file, "Delete temporary files");
    file.Line();
    Deletions(file, IntermediateBuildPatterns());
    return {BuildDirectoryFile(project, kBuildBatchName), file.Text()};
}

std::array<GeneratedFile, 3> ComposeToolOptionFiles(const ProjectRecord& project) {
    auto oneLine = [&](std::string_view name, std::string_view options) {
        TextFile file;
        file.Line(options);
        return GeneratedFile{BuildDirectoryFile(project, name), file.Text()};
    };
    return {
        oneLine(kAssemblerOptionsName,
                "-Ms -gaLHS -OHjN -l -LcdeGlmNpqsWXy -w137 -w118 -w109 -w141 -w112 -t -err -e"),
        oneLine(kLinkerOptionsName,
                "-d" + std::string(kProcessorDescription) + " -M -L -e -N -w8 -err -v"),
        oneLine(kLocatorOptionsName,
                "-f2b32 -d" + std::string(kProcessorDescription) + " -M -w8 -e -err"),
    };
}

}  // namespace cuffware
