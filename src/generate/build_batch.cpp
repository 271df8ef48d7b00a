#include "generate/build_batch.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "generate/builder_banner.h"
#include "project/text_file.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

constexpr std::string_view kSeparator = "rem ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;";

void Heading(TextFile& file, std::string_view title) {
    file.Line(kSeparator);
    file.Line("rem ; " + std::string(title));
    file.Line(kSeparator);
}

// Assemble, link and locate one section, named by its base name.
void SectionChain(TextFile& file, const std::string& asmDir, std::string_view section) {
    const std::string name(section);
    file.Line(asmDir + "\\bin\\as88.exe " + SourceName(name) + " -f" +
              std::string(kAssemblerOptionsName));
    file.Line(asmDir + "\\bin\\lk88.exe " + name + ".obj -o " + name + ".out -f" +
              std::string(kLinkerOptionsName));
    file.Line(asmDir + "\\bin\\lc88.exe " + name + ".out -o " + SRecordName(name) + " -f" +
              std::string(kLocatorOptionsName));
}

void Deletions(TextFile& file, std::initializer_list<std::string_view> patterns) {
    for (std::string_view pattern : patterns)
        file.Line("del " + std::string(pattern));
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
    file.Line("cd " + buildDir);
    file.Line();
    Deletions(file, {"*.sre", "*.bin", "*.lst", "*.obj", "*.out", "*.err", "*.lnl", "*.cal",
                     "*.bak", "*.ers", "*.elk", "*.elc"});
    file.Line();

    Heading(file, "Build Common Section");
    file.Line();
    SectionChain(file, asmDir, kCommonSection);
    file.Line(sdkDir + "\\bin\\maplist common.map");
    file.Line(sdkDir + "\\bin\\labelset common.sy");
    file.Line("copy common.equ comminc.h");
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
    Deletions(file, {"*.out", "*.sy", "*.tmp", "*.lnl", "*.cal"});
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
        oneLine(kLinkerOptionsName, "-ds1c88349.dsc -M -L -e -N -w8 -err -v"),
        oneLine(kLocatorOptionsName, "-f2b32 -ds1c88349.dsc -M -w8 -e -err"),
    };
}

}  // namespace cuffware
