#pragma once
// The main window without a toolkit. A front end lays out its own controls
// (MainFieldLayouts() and the captions below), tells the model what the user
// did through the calls under "What the user did", and after every call
// shows what the model holds: field texts, which controls are enabled, the
// tree's rows, the status text. Every rule of the window lives here, so a
// second front end copies none.
//
// Dialog answers (message boxes, the open-file dialog) come back through the
// UserPort the front end implements. Analyze Cuffware and Tools > Options
// open windows of their own: the front end shows them from what
// AnalyzeCuffware() returns and from options(), as described there.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/memory_usage.h"
#include "app/actions/workbench.h"
#include "app/window_models/options_model.h"
#include "platform/system_info.h"

namespace cuffware {

// The window's captions, for every front end alike.
inline constexpr const char* kMainWindowTitle = "Q740 Cuffware Builder";
inline constexpr const char* kParametersFrameCaption = "Application Parameters";
inline constexpr const char* kFilesFrameCaption = "Source File Setup";
inline constexpr const char* kAddFileCaption = "Add File";
inline constexpr const char* kRemoveFileCaption = "Remove File";
// The row of buttons under the frames, left to right.
inline constexpr const char* kCreateBuildScriptsCaption = "Create Build Scripts";
inline constexpr const char* kRunBuildScriptsCaption = "Run Build Scripts";
inline constexpr const char* kCreateCuffwareCaption = "Create Cuffware";
inline constexpr const char* kAnalyzeCuffwareCaption = "Analyze Cuffware";
inline constexpr const char* kStartDownloaderCaption = "Cuffware Downloader";
// The menus are in menu_bar.h.
// What a screen reader calls the file tree.
inline constexpr const char* kFileTreeAccessibleName = "Source files";

// The text fields of the left frame, in window order.
enum class MainField {
    ApplicationName,
    FolderName,
    Description,
    BannerLine1,
    BannerLine2,
    VersionRequired,
    PCInterface,
    HeaderDirectory,
    SourceDirectory,
    BuildDirectory,
    IncludeDirectory,
    AssemblerDirectory,
};
inline constexpr size_t kMainFieldCount = static_cast<size_t>(MainField::AssemblerDirectory) + 1;

// Where a text field stands: above the check boxes, or below the rule that
// follows them.
enum class MainFieldBlock { Parameters, Directories };

// What a front end lays out for a text field, and the project's member it shows.
struct MainFieldLayout {
    MainField field;
    const char* caption;  // the label beside it
    int maxLength;        // 0: no limit
    bool readOnly;        // shown, never typed into
    MainFieldBlock block;
    std::string ProjectRecord::*member;
};

// Every text field, one for each MainField in its order, which is the
// window's: the parameters, then the directories.
std::span<const MainFieldLayout> MainFieldLayouts();

// Add File's open-file dialog.
inline constexpr const char* kSourceFileFilter = "Source Files (*.asm)|*.asm|All Files (*.*)|*.*";
inline constexpr const char* kScriptFilter = "Cuffware Builder Script File (*.scr)|*.scr";

// The check boxes under the parameter fields, in window order.
enum class MainCheck { PasswordSupport, DatabaseSupport };
inline constexpr size_t kMainCheckCount = static_cast<size_t>(MainCheck::DatabaseSupport) + 1;

struct MainCheckLayout {
    MainCheck check;
    const char* caption;
    int ProjectRecord::*member;  // 1 when checked
};
// One for each MainCheck, in its order.
std::span<const MainCheckLayout> MainCheckLayouts();

// One row of the file tree as the window shows it, in tree order (a parent
// before its children, children first to last).
struct TreeRow {
    int node;    // what the front end hands back to NodeSelected
    int parent;  // 0 for the root
    int depth;   // 0 for the root
    std::string text;
    bool bold;
    bool checked;
    bool expanded;
    bool operator==(const TreeRow&) const = default;
};

// Whether a front end that shows the rows `shown` builds its tree control
// again for `rows`: only when they differ, so what the user collapsed or
// scrolled to stays while other fields are edited.
bool TreeNeedsRebuild(const std::vector<TreeRow>& shown, const std::vector<TreeRow>& rows);

class MainWindowModel {
  public:
    // user is the front end: it shows status texts, message boxes and the
    // open-file dialog. registry is asked for the system information viewer.
    MainWindowModel(FileSystem& files, ProcessStarter& processes, UserPort& user,
                    Registry& registry);
    // Its parts refer to each other: not to be copied.
    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;

    // Start-up: the tool settings read from settingsPath (status "Ready",
    // builder.ini created when missing), then the builder script the
    // argument names when it is not blank.
    void Start(const std::string& settingsPath, const std::string& scriptArgument);

    // --- What the user did ---

    // The field's text as it now stands. Typing in Folder Name fills the
    // directories and unlocks the detail fields.
    void FieldChanged(MainField field, const std::string& text);
    void CheckChanged(MainCheck check, bool checked);

    // A click on a tree row (or a keyboard selection): it becomes the node
    // Add File, Remove File and drops act on, and enables both buttons.
    void NodeSelected(int node);

    // Files dropped on the tree, as host paths in the drop's order. They go
    // under the selected node; on the root they are refused with a message.
    void FilesDropped(const std::vector<std::string>& paths);

    // Add File: asks for a file when the selected node is a category.
    void AddFile();
    // Remove File: removes the selected file node; its parent is selected.
    void RemoveFile();

    // The File menu (Exit is the front end's: it closes the window).
    void NewProject();
    void OpenProject();
    void SaveProject();

    // The row of buttons, left to right.
    void CreateBuildScripts();
    void RunBuildScripts();
    void CreateCuffware();
    // The report to show in the analysis window, or nothing after a refusal
    // or failure (already reported). The front end shows the window from
    // MemoryUsageViewOf(*report) and calls AnalysisClosed() when it closes.
    std::optional<MemoryUsageReport> AnalyzeCuffware();
    void AnalysisClosed();
    void StartDownloader();

    // Help > About's "System Info...": starts the system information viewer
    // or says it is unavailable.
    void StartSystemInformation();

    // --- What to show ---

    const std::string& FieldText(MainField field) const;
    bool FieldEnabled(MainField field) const;
    bool Checked(MainCheck check) const;

    // The tree, every row (see TreeNeedsRebuild).
    std::vector<TreeRow> TreeRows() const;
    // The node to show selected, or 0 for none.
    int SelectedNode() const { return selectedNode_; }

    // Add File and Remove File.
    bool FileButtonsEnabled() const { return fileButtonsEnabled_; }
    // Files dragged over the tree are taken once a node was selected.
    bool AcceptsFileDrops() const { return acceptsDrops_; }
    // A drop of fileCount files (what the drag holds that are files) is
    // taken: drops are on and it holds at least one file.
    bool TakesDroppedFiles(size_t fileCount) const { return acceptsDrops_ && fileCount > 0; }

    // The last text given to the status bar's first panel.
    const std::string& StatusText() const { return status_.text; }

    // Tools > Options: the dialog's model. See options_model.h.
    OptionsModel& options() { return options_; }

    Workbench& bench() { return bench_; }
    const Workbench& bench() const { return bench_; }

  private:
    // Forwards everything to the front end and remembers the status text;
    // a message goes as a box can show it (DisplayableMessage).
    struct StatusRelay : UserPort {
        explicit StatusRelay(UserPort& user) : user(user) {}
        void SetStatus(const std::string& text) override;
        void ShowMessage(const std::string& text, MessageIcon icon) override;
        std::optional<std::string> AskOpenFile(const OpenFileRequest& request) override;
        UserPort& user;
        std::string text;
    };

    // After an action: a selection the action invalidated is dropped.
    void Settle();

    StatusRelay status_;
    Workbench bench_;
    Registry& registry_;
    OptionsModel options_;
    int selectedNode_ = 0;
    bool acceptsDrops_ = false;
    // Add File and Remove File: enabled by a selection in the tree,
    // disabled by New and Open.
    bool fileButtonsEnabled_ = false;
    // The folders Open and Add File last took a file from: each dialog opens
    // there again (before the first choice, in the build directory and the
    // source directory).
    std::string lastScriptFolder_;
    std::string lastSourceFolder_;
};

}  // namespace cuffware
