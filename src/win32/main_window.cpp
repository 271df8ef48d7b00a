#include "win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/window_models/memory_usage_view.h"
#include "app/window_models/menu_bar.h"
#include "win32/about_box.h"
#include "win32/accessible_name.h"
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

// The edit control of each MainField, in its order.
constexpr int kFieldControls[] = {
    IDC_APPLICATION_NAME, IDC_FOLDER_NAME,      IDC_DESCRIPTION,       IDC_BANNER_LINE_1,
    IDC_BANNER_LINE_2,    IDC_VERSION_REQUIRED, IDC_PC_INTERFACE,      IDC_HEADER_DIRECTORY,
    IDC_SOURCE_DIRECTORY, IDC_BUILD_DIRECTORY,  IDC_INCLUDE_DIRECTORY, IDC_ASSEMBLER_DIRECTORY};
static_assert(std::size(kFieldControls) == kMainFieldCount);

// The check box of each MainCheck, in its order.
constexpr int kCheckControls[] = {IDC_PASSWORD_SUPPORT, IDC_DATABASE_SUPPORT};
static_assert(std::size(kCheckControls) == kMainCheckCount);

int FieldControl(MainField field) {
    return kFieldControls[static_cast<int>(field)];
}

int CheckControl(MainCheck check) {
    return kCheckControls[static_cast<int>(check)];
}

struct Caption {
    int id;
    const char* text;
};
constexpr Caption kCaptions[] = {{IDC_FRAME_PARAMETERS, kParametersFrameCaption},
                                 {IDC_FRAME_FILES, kFilesFrameCaption},
                                 {IDC_ADD_FILE, kAddFileCaption},
                                 {IDC_REMOVE_FILE, kRemoveFileCaption},
                                 {IDC_CREATE_BUILD_SCRIPTS, kCreateBuildScriptsCaption},
                                 {IDC_RUN_BUILD_SCRIPTS, kRunBuildScriptsCaption},
                                 {IDC_CREATE_CUFFWARE, kCreateCuffwareCaption},
                                 {IDC_ANALYZE_CUFFWARE, kAnalyzeCuffwareCaption},
                                 {IDC_CUFFWARE_DOWNLOADER, kStartDownloaderCaption}};

// The menu commands' identifiers follow MenuCommand's order.
static_assert(IDM_HELP_ABOUT - IDM_FILE_NEW + 1 == kMenuCommandCount);
int MenuCommandId(MenuCommand command) {
    return IDM_FILE_NEW + static_cast<int>(command);
}

HMENU MenuBarOfTheModel() {
    HMENU bar = CreateMenu();
    for (const Menu& menu : MenuBar()) {
        HMENU popup = CreatePopupMenu();
        for (const MenuEntry& entry : menu.entries) {
            if (entry.separatorBefore)
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            std::string shortcut = ShortcutText(entry);
            std::string caption =
                shortcut.empty() ? entry.caption : entry.caption + ("\t" + shortcut);
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(MenuCommandId(entry.command)),
                        Wide(caption).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Wide(menu.caption).c_str());
    }
    return bar;
}

// Ctrl and the entry's letter for each menu entry that has a shortcut.
HACCEL KeyboardShortcuts() {
    std::vector<ACCEL> keys;
    for (const Menu& menu : MenuBar())
        for (const MenuEntry& entry : menu.entries)
            if (entry.shortcutKey)
                keys.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(entry.shortcutKey),
                                static_cast<WORD>(MenuCommandId(entry.command))});
    return CreateAcceleratorTable(keys.data(), static_cast<int>(keys.size()));
}

// The menu bar takes its height from the client area: the window grows by
// it, so the laid-out controls keep their room.
void AttachMenuBar(HWND window) {
    RECT before{};
    GetClientRect(window, &before);
    SetMenu(window, MenuBarOfTheModel());
    RECT after{};
    GetClientRect(window, &after);
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + (before.bottom - after.bottom),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HICON ProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, size,
                                         size, size ? LR_SHARED : LR_DEFAULTSIZE | LR_SHARED));
}

}  // namespace

MainWindow::MainWindow(FileSystem& files, ProcessStarter& processes, Registry& registry,
                       UserSettingsStore& settingsStore)
    : model_(files, processes, *this, registry),
      settingsStore_(settingsStore),
      hooks_(DesktopModalHooks()) {
    Create(IDD_MAIN, nullptr);
    SetWindowTextW(hwnd(), Wide(kMainWindowTitle).c_str());
    AttachMenuBar(hwnd());
    SetPropW(hwnd(), kKeyboardShortcutsProperty, KeyboardShortcuts());
    for (const Caption& caption : kCaptions)
        SetItemText(caption.id, caption.text);
    for (const MainCheckLayout& layout : MainCheckLayouts())
        SetItemText(CheckControl(layout.check), layout.caption);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(0)));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXSMICON))));
    for (const MainFieldLayout& layout : MainFieldLayouts()) {
        int index = static_cast<int>(layout.field);
        SetItemText(IDC_FIELD_LABEL_FIRST + index, layout.caption);
        HWND edit = Item(FieldControl(layout.field));
        if (layout.maxLength > 0)
            SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(layout.maxLength), 0);
        SendMessageW(edit, EM_SETREADONLY, layout.readOnly, 0);
    }
    statusBar_ = std::make_unique<StatusBar>(hwnd());
    tree_ = std::make_unique<FileTreeView>(Item(IDC_FILE_TREE));
    SetAccessibleName(tree_->hwnd(), kFileTreeAccessibleName);
    tree_->takesDroppedFiles = [this](size_t count) { return model_.TakesDroppedFiles(count); };
    tree_->onDrop = [this](const std::vector<std::string>& paths) {
        Act([&] { model_.FilesDropped(paths); });
    };
    SetTimer(hwnd(), kClockTimer, 1000, nullptr);
}

MainWindow::~MainWindow() = default;

void MainWindow::Start(const std::string& settingsPath, const std::string& argumentText) {
    Act([&] { model_.Start(settingsPath, argumentText); });
}

bool MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = TRUE;
            return true;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return true;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.idFrom == IDC_FILE_TREE && !showing_ &&
                (header.code == TVN_SELCHANGEDW || header.code == NM_CLICK))
                PostMessageW(hwnd(), kTreeClicked, 0, 0);
            return true;
        }
        case kTreeClicked:
            if (int node = tree_->SelectedNode())
                Act([&] { model_.NodeSelected(node); });
            return true;
        case WM_TIMER:
            if (wParam == kClockTimer)
                statusBar_->UpdateClock();
            return true;
        // The dialog manager scales the window and its controls to a new DPI;
        // the status bar's panels follow its size.
        case WM_SIZE:
            if (statusBar_)
                statusBar_->Resize();
            return false;
        case WM_CLOSE:
            Unload();
            DestroyWindow(hwnd());
            return true;
        case WM_DESTROY:
            KillTimer(hwnd(), kClockTimer);
            DestroyAcceleratorTable(
                static_cast<HACCEL>(RemovePropW(hwnd(), kKeyboardShortcutsProperty)));
            if (onClosed)
                onClosed();
            return true;
    }
    return false;
}

void MainWindow::OnCommand(int id, int code) {
    if (showing_)
        return;
    for (const MainFieldLayout& layout : MainFieldLayouts())
        if (id == FieldControl(layout.field)) {
            if (code == EN_CHANGE)
                Act([&] { model_.FieldChanged(layout.field, WindowTextOf(Item(id))); });
            return;
        }
    for (const MainCheckLayout& layout : MainCheckLayouts())
        if (id == CheckControl(layout.check)) {
            if (code == BN_CLICKED)
                Act([&] {
                    model_.CheckChanged(layout.check,
                                        IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
                });
            return;
        }
    switch (id) {
        case IDC_CREATE_BUILD_SCRIPTS:
            return Act([this] { model_.CreateBuildScripts(); });
        case IDC_RUN_BUILD_SCRIPTS:
            return Act([this] { model_.RunBuildScripts(); });
        case IDC_CREATE_CUFFWARE:
            return Act([this] { model_.CreateCuffware(); });
        case IDC_ANALYZE_CUFFWARE:
            return Act([this] { AnalyzeCuffware(); });
        case IDC_CUFFWARE_DOWNLOADER:
            return Act([this] { model_.StartDownloader(); });
        case IDC_ADD_FILE:
            return Act([this] { model_.AddFile(); });
        case IDC_REMOVE_FILE:
            return Act([this] { model_.RemoveFile(); });
        case IDM_FILE_NEW:
            return Act([this] { model_.NewProject(); });
        case IDM_FILE_OPEN:
            return Act([this] { model_.OpenProject(); });
        case IDM_FILE_SAVE:
            return Act([this] { model_.SaveProject(); });
        case IDM_FILE_EXIT:
            PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            return;
        case IDM_TOOLS_OPTIONS:
            return EditOptions();
        case IDM_HELP_ABOUT:
            return ShowAbout();
    }
}

template <class Action>
void MainWindow::Act(Action action) {
    action();
    ShowModel();
}

void MainWindow::ShowModel() {
    showing_ = true;
    for (const MainFieldLayout& layout : MainFieldLayouts()) {
        HWND edit = Item(FieldControl(layout.field));
        ShowEditText(edit, model_.FieldText(layout.field));
        EnableWindow(edit, model_.FieldEnabled(layout.field));
    }
    for (const MainCheckLayout& layout : MainCheckLayouts())
        CheckDlgButton(hwnd(), CheckControl(layout.check),
                       model_.Checked(layout.check) ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(Item(IDC_ADD_FILE), model_.FileButtonsEnabled());
    EnableWindow(Item(IDC_REMOVE_FILE), model_.FileButtonsEnabled());
    tree_->Show(model_.TreeRows(), model_.SelectedNode());
    tree_->AcceptFileDrops(model_.AcceptsFileDrops());
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
    return hooks_.askOpenFile(hwnd(), request);
}

void MainWindow::AnalyzeCuffware() {
    std::optional<MemoryUsageReport> report = model_.AnalyzeCuffware();
    if (!report)
        return;
    AnalyzeWindow window(MemoryUsageViewOf(*report), hwnd());
    RunModal(window.hwnd());
    model_.AnalysisClosed();
}

void MainWindow::EditOptions() {
    OptionsModel& options = model_.options();
    options.Open();
    if (!options_)
        options_ = std::make_unique<OptionsDialog>(options, hwnd());
    options_->Fill();
    RunModal(options_->hwnd());
    if (!options.Ended())
        options_.reset();
}

void MainWindow::ShowAbout() {
    AboutBox about([this] { model_.StartSystemInformation(); }, hwnd());
    RunModal(about.hwnd());
}

void MainWindow::Unload() {
    for (auto open = openWindows_.rbegin(); open != openWindows_.rend(); ++open)
        if (IsWindow(*open))
            SendMessageW(*open, WM_CLOSE, 0, 0);
    SaveWindowPlacement(hwnd(), settingsStore_);
}

}  // namespace cuffware
