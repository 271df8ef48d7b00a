#include "app/actions/create_cuffware.h"

#include <optional>
#include <string>

#include "app/actions/build_directory_lock.h"
#include "app/actions/status_texts.h"
#include "package/build_outputs.h"
#include "package/code_image.h"
#include "package/package_commit.h"
#include "package/package_description.h"
#include "package/parameter_image.h"
#include "platform/text_rules.h"

namespace cuffware {

namespace {

constexpr const char* kUnableToCreate = "Unable to create Cuffware code";
constexpr const char* kNotGenerated = "Cuffware files were not generated.\n";

bool Failed(Workbench& bench, const std::string& failure) {
    bench.user.ShowMessage(kNotGenerated + failure, MessageIcon::Critical);
    bench.user.SetStatus(kUnableToCreate);
    return false;
}

}  // namespace

// All three files are composed before any is written, so a conversion that
// fails leaves the build directory as it was: no new image beside old ones.
// The writing itself is all or nothing as well, even when the run is killed
// (CommitPackage), and whatever an interrupted run left is settled first.
bool CreateCuffware(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    if (!FolderNamed(bench))
        return false;
    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held) {
        bench.user.SetStatus(kUnableToCreate);
        return false;
    }
    if (!CheckAllSRE(project, bench.files, bench.user)) {
        bench.user.SetStatus(kUnableToCreate);
        return false;
    }

    Result<GeneratedFile> code = ComposeCodeImageFile(bench.files, project);
    if (!code)
        return Failed(bench, code.error().Text());
    const auto codeImageLength = static_cast<uint32_t>(code->content.size());
    Result<GeneratedFile> parameters =
        ComposeParameterImageFile(bench.files, project, codeImageLength);
    if (!parameters)
        return Failed(bench, parameters.error().Text());
    GeneratedFile description = ComposeDescriptionFile(project);

    if (Status written = CommitPackage(bench.files, project.BuildDirectory,
                                       {std::move(*code), std::move(*parameters), description});
        !written)
        return Failed(bench, written.error().Text());
    bench.user.SetStatus("Cuffware code generated");
    bench.user.ShowMessage("Successful Generation of Cuffware Files", MessageIcon::Information);
    return true;
}

}  // namespace cuffware
