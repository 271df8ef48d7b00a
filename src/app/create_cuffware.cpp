#include "app/create_cuffware.h"

#include <string>

#include "app/status_texts.h"
#include "package/build_outputs.h"
#include "package/code_image.h"
#include "package/description_file.h"
#include "package/parameter_image.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

constexpr const char* kUnableToCreate = "Unable to create Cuffware code";
constexpr const char* kNotGenerated = "Cuffware files were not generated.\n";

bool Failed(Workbench& bench, const Diagnostic& failure) {
    bench.user.ShowMessage(kNotGenerated + failure.Text(), MessageIcon::Critical);
    bench.user.SetStatus(kUnableToCreate);
    return false;
}

}  // namespace

// All three files are composed before any is written, so a conversion that
// fails leaves the build directory as it was: no new image beside old ones.
bool CreateCuffware(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    if (Trimmed(project.FolderName).empty()) {
        bench.user.SetStatus(kStatusApplicationNotSpecified);
        return false;
    }
    if (!CheckAllSRE(project, bench.files, bench.user)) {
        bench.user.SetStatus(kUnableToCreate);
        return false;
    }

    Result<GeneratedFile> code = CreateFile_CodeFile(bench.files, project);
    if (!code)
        return Failed(bench, code.error());
    bench.CodeImageLength = static_cast<uint32_t>(code->content.size());
    Result<GeneratedFile> parameters =
        CreateFile_ParameterFile(bench.files, project, bench.CodeImageLength);
    if (!parameters)
        return Failed(bench, parameters.error());
    GeneratedFile description = CreateFile_DescriptionFile(project);

    for (const GeneratedFile* file : {&*code, &*parameters, &description})
        if (Status written = bench.files.WriteFile(file->path, file->content); !written)
            return Failed(bench, written.error());

    bench.user.SetStatus("Cuffware code generated");
    bench.user.ShowMessage("Successful Generation of Cuffware Files", MessageIcon::Information);
    return true;
}

}  // namespace cuffware
