#include "app/create_cuffware.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

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

bool Failed(Workbench& bench, const std::string& failure) {
    bench.user.ShowMessage(kNotGenerated + failure, MessageIcon::Critical);
    bench.user.SetStatus(kUnableToCreate);
    return false;
}

// A file of the package as it was before this run: its content, or nothing
// when there was none (or it could not be read).
struct PreviousFile {
    const std::string& path;
    std::optional<std::string> content;
};

// Puts back what the files already replaced held, last first; returns what
// could not be put back, one line each.
std::string PutBack(FileSystem& files, const std::vector<PreviousFile>& replaced) {
    std::string failures;
    for (auto it = replaced.rbegin(); it != replaced.rend(); ++it) {
        Status undone =
            it->content ? files.WriteFile(it->path, *it->content) : files.RemoveFile(it->path);
        if (!undone) {
            failures.append("\n").append(undone.error().Text());
            failures.append(" (the previous file was not put back)");
        }
    }
    return failures;
}

// Writes the package's files as one: when one of them cannot be written, the
// ones already replaced get their previous contents back, or are deleted when
// there were none, so a failed packaging leaves the previous package whole.
// Returns the failure's text, or nothing.
std::optional<std::string> WritePackage(FileSystem& files,
                                        std::initializer_list<const GeneratedFile*> package) {
    std::vector<PreviousFile> replaced;
    for (const GeneratedFile* file : package) {
        Result<std::string> before = files.ReadFile(file->path);
        PreviousFile previous{file->path,
                              before ? std::optional(std::move(*before)) : std::nullopt};
        if (Status written = files.WriteFile(file->path, file->content); !written)
            return written.error().Text() + PutBack(files, replaced);
        replaced.push_back(std::move(previous));
    }
    return std::nullopt;
}

}  // namespace

// All three files are composed before any is written, so a conversion that
// fails leaves the build directory as it was: no new image beside old ones.
// The writing itself is all or nothing as well (WritePackage).
bool CreateCuffware(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    if (!FolderNamed(bench))
        return false;
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

    if (std::optional<std::string> failure =
            WritePackage(bench.files, {&*code, &*parameters, &description}))
        return Failed(bench, *failure);
    // Only a package that is on disk changes the code image length.
    bench.codeImageLength = codeImageLength;

    bench.user.SetStatus("Cuffware code generated");
    bench.user.ShowMessage("Successful Generation of Cuffware Files", MessageIcon::Information);
    return true;
}

}  // namespace cuffware
