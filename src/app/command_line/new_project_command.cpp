#include "app/command_line/new_project_command.h"

#include "app/actions/file_commands.h"
#include "app/command_line/next_command.h"
#include "app/command_line/starter_sources.h"
#include "app/command_line/test_command.h"
#include "platform/path_text.h"
#include "platform/text_rules.h"
#include "project/folder_name.h"

namespace cuffware {

namespace {

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
                return Diagnostic{"", 0, range + ", not \"" + ControlBytesEscaped(count) + "\""};
            request.stateCount = std::stoi(count);
            if (request.stateCount < 1 || request.stateCount > maxStateCount)
                return Diagnostic{"", 0, range + ", not " + count};
        } else if (operands[i].starts_with("--")) {
            return Diagnostic{"", 0,
                              "unknown option " + ControlBytesEscaped(operands[i]) + " for new"};
        } else if (!haveFolder) {
            request.folder = Trimmed(operands[i]);
            haveFolder = true;
        } else {
            return Diagnostic{
                "", 0,
                "new takes one FOLDER, not also \"" + ControlBytesEscaped(operands[i]) + "\""};
        }
    }
    if (!haveFolder)
        return Diagnostic{"", 0, "new takes a FOLDER name"};
    if (Status plain = CheckPlainFolderName(request.folder); !plain)
        return plain.error();
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
    std::string testPath = JoinPath(TestDirectory(project), kStarterTestFile);
    written.push_back(testPath);
    written.push_back(ScriptPath(project));
    for (const std::string& path : written) {
        Result<bool> present = bench.files.Present(path);
        if (!present || *present) {
            context.err << (present ? path + " already exists" : present.error().Text())
                        << "; nothing was written.\n";
            return kExitFailure;
        }
    }

    // Each level in turn: the SDK's app folder and the application's may be new.
    std::string appDirectory = std::string(DirectoryOf(project.SourceDirectory));
    for (const std::string& directory :
         {std::string(DirectoryOf(appDirectory)), appDirectory, project.HeaderDirectory,
          project.SourceDirectory, project.BuildDirectory, TestDirectory(project)})
        (void)bench.files.MakeDirectory(directory);  // may exist already
    auto write = [&bench](const std::string& path, const std::string& content) {
        Status saved = bench.files.WriteFile(path, content);
        if (!saved)
            bench.user.ShowMessage("The new project was not created.\n" + saved.error().Text(),
                                   MessageIcon::Critical);
        return saved.ok();
    };
    for (size_t i = 0; i < sources.size(); ++i) {
        if (!write(written[i], sources[i].content))
            return kExitFailure;
        AddFileToCategory(project.Files, sources[i].categoryNode, written[i]);
    }
    if (!write(testPath, StarterTest(project.FolderName)))
        return kExitFailure;
    if (!SaveProjectScript(bench))
        return kExitFailure;
    context.out << "New project " << project.FolderName << ": " << sources.size()
                << " starter sources in " << project.SourceDirectory << "\n"
                << "Starter test: " << testPath << "\n"
                << "Builder script: " << written.back() << "\n"
                << "Build it with: " << NextCuffwareCommand(context, "all", written.back()) << "\n"
                << "Test it with: " << NextCuffwareCommand(context, "test", written.back()) << "\n";
    return kExitSuccess;
}

}  // namespace cuffware
