#include "app/actions/create_build_scripts.h"

#include <cstdint>
#include <optional>
#include <string>

#include "app/actions/build_directory_lock.h"
#include "app/actions/status_texts.h"
#include "generate/build_batch.h"
#include "generate/section_sources.h"
#include "package/application_descriptor.h"
#include "platform/text_rules.h"
#include "project/build_files.h"
#include "project/builder_script.h"

namespace cuffware {

namespace {

constexpr const char* kNotGenerated = "Build scripts were not generated.\n";

// A file that cannot be written ends the run: one critical message naming
// the file and the system's reason; what was written before stays.
bool Reported(Workbench& bench, const Status& status) {
    if (!status.ok())
        bench.user.ShowMessage(kNotGenerated + status.error().Text(), MessageIcon::Critical);
    return status.ok();
}

bool Write(Workbench& bench, const GeneratedFile& file) {
    return Reported(bench, bench.files.WriteRegenerable(file.path, file.content));
}

bool HasFiles(const FileTree& tree, int categoryNode) {
    return tree.Contains(categoryNode) && tree.ChildCount(categoryNode) > 0;
}

// The first refusal the categories give, in the order they are checked.
std::optional<std::string> MissingCategory(const FileTree& tree) {
    if (!HasFiles(tree, kParameterNode))
        return "There must be at least one parameter file.";
    if (!HasFiles(tree, kHeaderNode))
        return "There must be at least one header file.";
    if (!HasFiles(tree, kBackgroundNode))
        return "There must be a background handler file.";
    if (!HasFiles(tree, StateNode(0)))
        return "There must be a state handler code.";
    return std::nullopt;
}

}  // namespace

bool CreateBuildScripts(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    const FileTree& tree = project.Files;
    if (!FolderNamed(bench))
        return false;
    MakeBuildDirectory(bench);

    if (std::optional<std::string> refusal = MissingCategory(tree)) {
        bench.user.ShowMessage(*refusal, MessageIcon::None);
        return false;
    }
    // builder.ini limits NumberOfStates to 0..254, so a tree built from it
    // never holds more state categories than the batch can number.
    if (tree.NumberOfStates() > StateNumber::kHighest) {
        bench.user.ShowMessage(kNotGenerated + std::string("The project has ") +
                                   std::to_string(tree.NumberOfStates() + 1) +
                                   " state categories; at most 255 can be built.",
                               MessageIcon::Critical);
        return false;
    }

    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held)
        return false;
    for (const GeneratedFile& file : ComposeToolOptionFiles(project))
        if (!Write(bench, file))
            return false;
    if (!Write(bench, ComposeApplicationDescriptor(project)) ||
        !Write(bench, ComposeParameterSource(project)) ||
        !Write(bench, ComposeCommonSource(project)))
        return false;

    const std::string buildDirectory = Trimmed(project.BuildDirectory);
    std::optional<StateNumber> highest;  // state 0 holds files, so it is set
    for (int n = 0; n <= tree.NumberOfStates(); ++n) {
        const int16_t stateIndex = static_cast<int16_t>(StateNode(n));
        if (HasFiles(tree, stateIndex)) {
            if (!Write(bench, ComposeStateSource(project, stateIndex)))
                return false;
            highest = StateNumber::Of(n);
        } else {
            bench.files.DeleteMatching(buildDirectory, SectionFilesPattern(StateSection(n)));
        }
    }

    if (!Write(bench, ComposeBuildBatch(project, bench.settings, *highest)) ||
        !Reported(bench, SaveBuilderScript(bench.files, project)))
        return false;

    bench.user.SetStatus("Build scripts generated");
    bench.user.ShowMessage("Successful Generation of Cuffware Build Scripts",
                           MessageIcon::Information);
    return true;
}

}  // namespace cuffware
