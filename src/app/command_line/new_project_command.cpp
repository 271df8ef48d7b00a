#include "app/command_line/new_project_command.h"

#include "app/actions/file_commands.h"
#include "app/command_line/next_command.h"
#include "app/command_line/starter_sources.h"
#include "platform/path_text.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

bool IsUsableFolderName(const std::string& folder) {
    if (folder.empty())
        return false;
    for (char c : folder) {
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

// The project's fields a new application starts with.
void FillStarterFields(ProjectRecord& project) {
    project.ApplicationName = project.FolderName;
    project.Description = "A new Cuffware, made by cuffware new";
    project.BannerLine1 = ToUpperAscii(project.FolderName).substr(0, kBannerLineMaxLength);
    project.BannerLine2 = "NEW";
}

}  // namespace

Result<NewProjectRequest> ParseNewProjectOperands(const std::vector<std::string>& operands,
                                                  int maxStateCount) {
    NewProjectRequest request;
    bool haveFolder = false;
    for (size_t i = 0; i < operands.size(); ++i) {
        if (operands[i] == "--states") {
            std::string range =
                "--states takes a number from 1 to " + std::to_string(maxStateCount);
            if (i + 1 >= operands.size())
                return Diagnostic{"", 0, range};
            const std::string& count = operands[++i];
            if (count.empty() || count.size() > 3 ||
                count.find_first_not_of("0123456789") != std::string::npos)
                return Diagnostic{"", 0, range + ", not \"" + count + "\""};
            request.stateCount = std::stoi(count);
            if (request.stateCount < 1 || request.stateCount > maxStateCount)
                return Diagnostic{"", 0, range + ", not " + count};
        } else if (operands[i].starts_with("--")) {
            return Diagnostic{"", 0, "unknown option " + operands[i] + " for new"};
        } else if (!haveFolder) {
            request.folder = Trimmed(operands[i]);
            haveFolder = true;
        } else {
            return Diagnostic{"", 0, "new takes one FOLDER, not also \"" + operands[i] + "\""};
        }
    }
    if (!haveFolder)
        return Diagnostic{"", 0, "new takes a FOLDER name"};
    if (!IsUsableFolderName(request.folder))
        return Diagnostic{"", 0,
                          "the folder name \"" + request.folder +
                              "\" must be non-blank and hold none of \\ / : * ? \" < > |"};
    return request;
}

int RunNewProject(HeadlessContext& context) {
    Workbench& bench = context.bench;
    Result<NewProjectRequest> request =
        ParseNewProjectOperands(context.args.operands, bench.project.Files.NumberOfStates() + 1);
    if (!request) {
        context.err << "cuffware: " << request.error().message << "\n";
        return kExitUsage;
    }
    SetFolderName(bench.project, request->folder, bench.settings);
    ProjectRecord& project = bench.project;
    FillStarterFields(project);

    std::vector<StarterSource> sources = StarterSources(project.FolderName, request->stateCount);
    std::vector<std::string> written;
    for (const StarterSource& source : sources)
        written.push_back(JoinPath(project.SourceDirectory, source.fileName));
    written.push_back(ScriptPath(project));
    for (const std::string& path : written) {
        if (bench.files.Exists(path)) {
            context.err << path << " already exists; nothing was written.\n";
            return kExitFailure;
        }
    }

    // Each level in turn: the SDK's app folder and the application's may be new.
    std::string appDirectory = std::string(DirectoryOf(project.SourceDirectory));
    for (const std::string& directory :
         {std::string(DirectoryOf(appDirectory)), appDirectory, project.HeaderDirectory,
          project.SourceDirectory, project.BuildDirectory})
        (void)bench.files.MakeDirectory(directory);  // may exist already
    for (size_t i = 0; i < sources.size(); ++i) {
        if (Status saved = bench.files.WriteFile(written[i], sources[i].content); !saved) {
            bench.user.ShowMessage("The new project was not created.\n" + saved.error().Text(),
                                   MessageIcon::Critical);
            return kExitFailure;
        }
        AddFileToCategory(project.Files, sources[i].categoryNode, written[i]);
    }
    if (!SaveProjectScript(bench))
        return kExitFailure;
    context.out << "New project " << project.FolderName << ": " << sources.size()
                << " starter sources in " << project.SourceDirectory << "\n"
                << "Builder script: " << written.back() << "\n"
                << "Build it with: " << NextCuffwareCommand(context, "all", written.back()) << "\n";
    return kExitSuccess;
}

}  // namespace cuffware
