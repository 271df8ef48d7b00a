#include "win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/analyze_cuffware.h"
#include "app/create_build_scripts.h"
#include "app/create_cuffware.h"
#include "app/file_commands.h"
#include "app/run_build_scripts.h"
#include "app/start_downloader.h"
#include "project/text_rules.h"
#include "win32/about_box.h"
#include "win32/analyze_window.h"
#include "win32/options_dialog.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"
#include "win32/window_placement.h"

namespace cuffware {

namespace {

constexpr UINT_PTR kClockTimer = 1;
// Posted after a click in the tree, once the selection has followed it.
constexpr UINT kTreeClicked = WM_APP + 1;

inline constexpr const char* kSourceFileFilter = "Source Files (*.asm)|*.asm|All Files (*.*)|*.*";

// Each text field of the project and the control it lives in.
constexpr std::pair<int, std::string ProjectRecord::*> kTextFields[] = {
    {IDC_APPLICATION_NAME, &ProjectRecord::ApplicationName},
    {IDC_FOLDER_NAME, &ProjectRecord::FolderName},
    {IDC_DESCRIPTION, &ProjectRecord::Description},
    {IDC_BANNER_LINE_1, &ProjectRecord::BannerLine1},
    {IDC_BANNER_LINE_2, &ProjectRecord::BannerLine2},
    {IDC_VERSION_REQUIRED, &ProjectRecord::VersionRequired},
    {IDC_PC_INTERFACE, &ProjectRecord::PCInterface},
    {IDC_HEADER_DIRECTORY, &ProjectRecord::HeaderDirectory},
    {IDC_SOURCE_DIRECTORY, &ProjectRecord::SourceDirectory},
    {IDC_BUILD_DIRECTORY, &ProjectRecord::BuildDirectory},
    {IDC_INCLUDE_DIRECTORY, &ProjectRecord::IncludeDirectory},
    {IDC_ASSEMBLER_DIRECTORY, &ProjectRecord::AssemblerDirectory}};

constexpr std::pair<int, int ProjectRecord::*> kCheckFields[] = {
    {IDC_PASSWORD_SUPPORT, &ProjectRecord::PasswordSupport},
    {IDC_DATABASE_SUPPORT, &ProjectRecord::DatabaseSupport}};

// The fields a non-blank folder name unlocks.
constexpr int kDetailFields[] = {
    IDC_DESCRIPTION,     IDC_BANNER_LINE_1,     IDC_BANNER_LINE_2,
    IDC_PC_INTERFACE,    IDC_HEADER_DIRECTORY,  IDC_SOURCE_DIRECTORY,
    IDC_BUILD_DIRECTORY, IDC_INCLUDE_DIRECTORY, IDC_ASSEMBLER_DIRECTORY};

}  // namespace

MainWindow::MainWindow(FileSystem& files, ProcessStarter& processes, Registry& registry,
                       UserSettingsStore& settingsStore)
    : bench_(files, processes, *this),
      registry_(registry),
      settingsStore_(settingsStore),
      hooks_(DesktopModalHooks()) {
    Create(IDD_MAIN, nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                                               0, 0, LR_DEFAULTSIZE | LR_SHARED));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    HICON small = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(Item(IDC_BANNER_LINE_1), EM_LIMITTEXT, kBannerLineMaxLength, 0);
    SendMessageW(Item(IDC_BANNER_LINE_2), EM_LIMITTEXT, kBannerLineMaxLength, 0);
    SendMessageW(Item(IDC_VERSION_REQUIRED), EM_LIMITTEXT, kVersionRequiredMaxLength, 0);
    statusBar_ = std::make_unique<StatusBar>(hwnd());
    tree_ = std::make_unique<FileTreeView>(Item(IDC_FILE_TREE));
    tree_->onDrop = [this](const std::vector<std::string>& paths) { FilesDropped(paths); };
    SetTimer(hwnd(), kClockTimer, 1000, nullptr);
}

MainWindow::~MainWindow() = default;

void MainWindow::Start(const std::string& settingsPath, const std::string& argumentText) {
    LoadWorkbench(bench_, settingsPath);
    ShowProject();
    if (!Trimmed(argumentText).empty())
        RestoreProjectScript(bench_, argumentText);
    ShowProject();
}

bool MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = TRUE;
            return true;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return true;
        case WM_NOTIFY:
            result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return true;
        case kTreeClicked:
            if (tree_->SelectedNode() != 0)
                NodeSelected();
            return true;
        case WM_TIMER:
            if (wParam == kClockTimer)
                statusBar_->UpdateClock();
            return true;
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            statusBar_->Resize();
            return true;
        }
        case WM_CLOSE:
            Unload();
            DestroyWindow(hwnd());
            return true;
        case WM_DESTROY:
            KillTimer(hwnd(), kClockTimer);
            if (onClosed)
                onClosed();
            return true;
    }
    return false;
}

void MainWindow::OnCommand(int id, int code) {
    switch (id) {
        case IDC_FOLDER_NAME:
            if (code == EN_CHANGE && !showing_)
                RunAction([this] {
                    cuffware::TextFolderName_Change(bench_, WindowTextOf(Item(IDC_FOLDER_NAME)));
                });
            return;
        case IDC_CREATE_BUILD_SCRIPTS:
            RunAction([this] { CreateBuildScripts(bench_); });
            return;
        case IDC_RUN_BUILD_SCRIPTS:
            RunAction([this] { RunBuildScripts(bench_); });
            return;
        case IDC_CREATE_CUFFWARE:
            RunAction([this] { CreateCuffware(bench_); });
            return;
        case IDC_ANALYZE_CUFFWARE:
            RunAction([this] { AnalyzeCuffware(); });
            return;
        case IDC_CUFFWARE_DOWNLOADER:
            RunAction([this] { StartDownloader(bench_); });
            return;
        case IDC_ADD_FILE:
            RunAction([this] { AddFile(); });
            return;
        case IDC_REMOVE_FILE:
            RunAction([this] { RemoveFile(); });
            return;
        case IDM_FILE_NEW:
            RunAction([this] { NewProject(bench_); });
            return;
        case IDM_FILE_OPEN:
            RunAction([this] { OpenProjectScript(bench_); });
            return;
        case IDM_FILE_SAVE:
            RunAction([this] { SaveProjectScript(bench_); });
            return;
        case IDM_FILE_EXIT:
            PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            return;
        case IDM_TOOLS_OPTIONS:
            EditOptions();
            return;
        case IDM_HELP_ABOUT:
            ShowAbout();
            return;
    }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_FILE_TREE || showing_)
        return 0;
    if (header.code == TVN_SELCHANGEDW || header.code == NM_CLICK)
        PostMessageW(hwnd(), kTreeClicked, 0, 0);
    return 0;
}

template <class Action>
void MainWindow::RunAction(Action action) {
    ReadControls();
    action();
    ShowProject();
}

void MainWindow::ReadControls() {
    ProjectRecord& project = bench_.project;
    for (auto [id, member] : kTextFields)
        project.*member = WindowTextOf(Item(id));
    for (auto [id, member] : kCheckFields)
        project.*member = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED ? 1 : 0;
}

void MainWindow::ShowProject() {
    showing_ = true;
    const ProjectRecord& project = bench_.project;
    for (auto [id, member] : kTextFields)
        ShowEditText(Item(id), project.*member);
    for (int id : kDetailFields)
        EnableWindow(Item(id), project.DetailsEditable);
    for (auto [id, member] : kCheckFields)
        CheckDlgButton(hwnd(), id, project.*member != 0 ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(Item(IDC_ADD_FILE), bench_.FileButtonsEnabled);
    EnableWindow(Item(IDC_REMOVE_FILE), bench_.FileButtonsEnabled);
    if (!bench_.FileButtonsEnabled)
        selectedNode_ = 0;
    tree_->Show(project.Files, selectedNode_);
    showing_ = false;
}

void MainWindow::RunModal(HWND dialog) {
    openWindows_.push_back(dialog);
    hooks_.runModal(dialog);
    std::erase(openWindows_, dialog);
}

void MainWindow::SetStatus(const std::string& text) {
    statusBar_->SetStatus(text);
}

void MainWindow::ShowMessage(const std::string& text, MessageIcon icon) {
    hooks_.showMessage(openWindows_.empty() ? hwnd() : openWindows_.back(), text, icon);
}

std::optional<std::string> MainWindow::AskOpenFile(const OpenFileRequest& request) {
    std::optional<std::string> path = hooks_.askOpenFile(hwnd(), request);
    if (path && path->empty())
        return std::nullopt;
    return path;
}

void MainWindow::AddFile() {
    FileTree& tree = bench_.project.Files;
    int node = tree_->SelectedNode();
    if (!AcceptsAddedFile(tree, node))
        return;
    std::optional<std::string> path = AskOpenFile({"Open", kSourceFileFilter, ""});
    if (!path)
        return;
    AddFileToCategory(tree, node, *path);
    selectedNode_ = node;
}

// The removed file's category (or parent node) is selected afterwards, so
// the buttons keep acting on the place the user was working in.
void MainWindow::RemoveFile() {
    FileTree& tree = bench_.project.Files;
    int node = tree_->SelectedNode();
    if (!tree.Contains(node))
        return;
    int parent = tree.At(node).parent;
    if (RemoveFileNode(tree, node))
        selectedNode_ = parent;
}

void MainWindow::NodeSelected() {
    bench_.FileButtonsEnabled = true;
    tree_->AcceptFileDrops();
    selectedNode_ = tree_->SelectedNode();
    EnableWindow(Item(IDC_ADD_FILE), TRUE);
    EnableWindow(Item(IDC_REMOVE_FILE), TRUE);
}

void MainWindow::FilesDropped(const std::vector<std::string>& paths) {
    RunAction([&] {
        int node = tree_->SelectedNode();
        if (std::optional<std::string> refusal = DropFiles(bench_.project.Files, node, paths))
            ShowMessage(*refusal, MessageIcon::None);
        selectedNode_ = node;
    });
}

void MainWindow::AnalyzeCuffware() {
    std::optional<MemoryUsageReport> report = cuffware::AnalyzeCuffware(bench_);
    if (!report)
        return;
    AnalyzeWindow window(*report, hwnd());
    RunModal(window.hwnd());
    FinishAnalysis(bench_);
}

void MainWindow::EditOptions() {
    if (!options_) {
        options_ = std::make_unique<OptionsDialog>(
            [this](const ToolSettingsFields& fields) {
                Status written = WriteToolSettingsFile(bench_.files, bench_.settingsPath, fields);
                if (!written.ok())
                    ShowMessage(written.error().Text(), MessageIcon::Exclamation);
                return written.ok();
            },
            hwnd());
    }
    options_->Fill(bench_.settings);
    RunModal(options_->hwnd());
    if (!options_)
        return;
    if (options_->Discarded()) {
        options_.reset();
        return;
    }
    if (options_->UpdateRequested())
        bench_.settings = ToolSettingsFromFields(options_->Fields());
}

void MainWindow::ShowAbout() {
    AboutBox about(
        [this] {
            StartSysInfo(HostSysInfoLookup(registry_, bench_.files), bench_.processes, *this);
        },
        hwnd());
    RunModal(about.hwnd());
}

void MainWindow::Unload() {
    for (auto open = openWindows_.rbegin(); open != openWindows_.rend(); ++open)
        if (IsWindow(*open))
            SendMessageW(*open, WM_CLOSE, 0, 0);
    SaveWindowPlacement(hwnd(), settingsStore_);
}

}  // namespace cuffware
