#include "app/window_models/main_window_model.h"

#include "app/actions/analyze_cuffware.h"
#include "app/actions/create_build_scripts.h"
#include "app/actions/create_cuffware.h"
#include "app/actions/file_commands.h"
#include "app/actions/run_build_scripts.h"
#include "app/actions/start_downloader.h"
#include "app/window_models/message_text.h"
#include "platform/path_text.h"
#include "platform/text_rules.h"
#include "platform/wine_path.h"

namespace cuffware {

namespace {

using enum MainFieldBlock;

constexpr MainFieldLayout kFieldLayouts[] = {
    {MainField::ApplicationName, "Application Name", 0, false, Parameters,
     &ProjectRecord::ApplicationName},
    {MainField::FolderName, "Folder Name", 0, false, Parameters, &ProjectRecord::FolderName},
    {MainField::Description, "Description", 0, false, Parameters, &ProjectRecord::Description},
    {MainField::BannerLine1, "Banner Line 1", kBannerLineMaxLength, false, Parameters,
     &ProjectRecord::BannerLine1},
    {MainField::BannerLine2, "Banner Line 2", kBannerLineMaxLength, false, Parameters,
     &ProjectRecord::BannerLine2},
    {MainField::VersionRequired, "Version Required", kVersionRequiredMaxLength, true, Parameters,
     &ProjectRecord::VersionRequired},
    {MainField::PCInterface, "PC Interface", 0, false, Parameters, &ProjectRecord::PCInterface},
    {MainField::HeaderDirectory, "Header Directory", 0, false, Directories,
     &ProjectRecord::HeaderDirectory},
    {MainField::SourceDirectory, "Source Directory", 0, false, Directories,
     &ProjectRecord::SourceDirectory},
    {MainField::BuildDirectory, "Build Directory", 0, false, Directories,
     &ProjectRecord::BuildDirectory},
    {MainField::IncludeDirectory, "Include Directory", 0, false, Directories,
     &ProjectRecord::IncludeDirectory},
    {MainField::AssemblerDirectory, "Assembler Directory", 0, false, Directories,
     &ProjectRecord::AssemblerDirectory},
};
static_assert(std::size(kFieldLayouts) == kMainFieldCount);

constexpr MainCheckLayout kCheckLayouts[] = {
    {MainCheck::PasswordSupport, "Password Support", &ProjectRecord::PasswordSupport},
    {MainCheck::DatabaseSupport, "Database Support", &ProjectRecord::DatabaseSupport},
};
static_assert(std::size(kCheckLayouts) == kMainCheckCount);

// The fields a non-blank folder name unlocks.
bool IsDetailField(MainField field) {
    switch (field) {
        case MainField::ApplicationName:
        case MainField::FolderName:
        case MainField::VersionRequired:
            return false;
        default:
            return true;
    }
}

// Where an open-file dialog starts: the folder it last took a file from,
// else the project's directory for that kind of file (trimmed).
std::string StartingFolder(const std::string& lastFolder, const std::string& projectDirectory) {
    return lastFolder.empty() ? Trimmed(projectDirectory) : lastFolder;
}

void AddRows(const FileTree& tree, int node, int depth, std::vector<TreeRow>& rows) {
    const FileTree::Node* shown = tree.Find(node);
    rows.push_back(
        {node, shown->parent, depth, shown->text, shown->bold, shown->checked, shown->expanded});
    for (int child = tree.FirstChild(node); child != 0; child = tree.NextSibling(child))
        AddRows(tree, child, depth + 1, rows);
}

}  // namespace

bool TreeNeedsRebuild(const std::vector<TreeRow>& shown, const std::vector<TreeRow>& rows) {
    return shown != rows;
}

std::span<const MainFieldLayout> MainFieldLayouts() {
    return kFieldLayouts;
}

std::span<const MainCheckLayout> MainCheckLayouts() {
    return kCheckLayouts;
}

void MainWindowModel::StatusRelay::SetStatus(const std::string& status) {
    text = status;
    user.SetStatus(status);
}

void MainWindowModel::StatusRelay::ShowMessage(const std::string& message, MessageIcon icon) {
    user.ShowMessage(DisplayableMessage(message), icon);
}

std::optional<std::string> MainWindowModel::StatusRelay::AskOpenFile(
    const OpenFileRequest& request) {
    return user.AskOpenFile(request);
}

MainWindowModel::MainWindowModel(FileSystem& files, ProcessStarter& processes, UserPort& user,
                                 Registry& registry)
    : status_(user), bench_(files, processes, status_), registry_(registry), options_(bench_) {}

void MainWindowModel::Start(const std::string& settingsPath, const std::string& scriptArgument) {
    LoadWorkbench(bench_, settingsPath);
    if (!Trimmed(scriptArgument).empty())
        RestoreProjectScript(bench_, scriptArgument);
    Settle();
}

void MainWindowModel::FieldChanged(MainField field, const std::string& text) {
    if (field == MainField::FolderName)
        SetFolderName(bench_.project, text, bench_.settings);
    else
        bench_.project.*kFieldLayouts[static_cast<size_t>(field)].member = text;
}

void MainWindowModel::CheckChanged(MainCheck check, bool checked) {
    bench_.project.*kCheckLayouts[static_cast<size_t>(check)].member = checked ? 1 : 0;
}

void MainWindowModel::NodeSelected(int node) {
    fileButtonsEnabled_ = true;
    acceptsDrops_ = true;
    selectedNode_ = node;
}

// A file from a dialog or a drop is stored as Windows programs name it, so the
// script and the generated sources hold one form of path (see wine_path.h).
void MainWindowModel::FilesDropped(const std::vector<std::string>& paths) {
    std::vector<std::string> stored;
    for (const std::string& path : paths)
        stored.push_back(WindowsFormUnderWine(path));
    if (std::optional<std::string> refusal = DropFiles(bench_.project.Files, selectedNode_, stored))
        bench_.user.ShowMessage(*refusal, MessageIcon::None);
    Settle();
}

void MainWindowModel::AddFile() {
    FileTree& tree = bench_.project.Files;
    if (!AcceptsAddedFile(tree, selectedNode_))
        return;
    std::optional<std::string> path = bench_.user.AskOpenFile(
        {"Open", kSourceFileFilter, "",
         StartingFolder(lastSourceFolder_, bench_.project.SourceDirectory)});
    if (path && !path->empty()) {
        lastSourceFolder_ = DirectoryOf(*path);
        AddFileToCategory(tree, selectedNode_, WindowsFormUnderWine(*path));
    }
    Settle();
}

// The removed file's category (or parent node) is selected afterwards, so
// the buttons keep acting on the place the user was working in.
void MainWindowModel::RemoveFile() {
    FileTree& tree = bench_.project.Files;
    const FileTree::Node* removed = tree.Find(selectedNode_);
    int parent = removed ? removed->parent : 0;
    if (RemoveFileNode(tree, selectedNode_))
        selectedNode_ = parent;
    Settle();
}

void MainWindowModel::NewProject() {
    cuffware::NewProject(bench_);
    fileButtonsEnabled_ = false;
    Settle();
}

void MainWindowModel::OpenProject() {
    std::optional<std::string> path =
        bench_.user.AskOpenFile({"Open", kScriptFilter, "",
                                 StartingFolder(lastScriptFolder_, bench_.project.BuildDirectory)});
    if (path && !path->empty()) {
        lastScriptFolder_ = DirectoryOf(*path);
        fileButtonsEnabled_ = false;
        RestoreProjectScript(bench_, *path);
    }
    Settle();
}

void MainWindowModel::SaveProject() {
    SaveProjectScript(bench_);
    Settle();
}

void MainWindowModel::CreateBuildScripts() {
    cuffware::CreateBuildScripts(bench_);
    Settle();
}

void MainWindowModel::RunBuildScripts() {
    cuffware::RunBuildScripts(bench_);
    Settle();
}

void MainWindowModel::CreateCuffware() {
    cuffware::CreateCuffware(bench_);
    Settle();
}

std::optional<MemoryUsageReport> MainWindowModel::AnalyzeCuffware() {
    return cuffware::AnalyzeCuffware(bench_);
}

void MainWindowModel::AnalysisClosed() {
    FinishAnalysis(bench_);
}

void MainWindowModel::StartDownloader() {
    cuffware::StartDownloader(bench_);
    Settle();
}

void MainWindowModel::StartSystemInformation() {
    StartSysInfo(HostSysInfoLookup(registry_, bench_.files), bench_.processes, bench_.user);
}

const std::string& MainWindowModel::FieldText(MainField field) const {
    return bench_.project.*kFieldLayouts[static_cast<size_t>(field)].member;
}

bool MainWindowModel::FieldEnabled(MainField field) const {
    return !IsDetailField(field) || bench_.project.DetailsEditable;
}

bool MainWindowModel::Checked(MainCheck check) const {
    return bench_.project.*kCheckLayouts[static_cast<size_t>(check)].member != 0;
}

std::vector<TreeRow> MainWindowModel::TreeRows() const {
    std::vector<TreeRow> rows;
    if (bench_.project.Files.Contains(kRootNode))
        AddRows(bench_.project.Files, kRootNode, 0, rows);
    return rows;
}

void MainWindowModel::Settle() {
    if (!fileButtonsEnabled_ || !bench_.project.Files.Contains(selectedNode_))
        selectedNode_ = 0;
}

}  // namespace cuffware
