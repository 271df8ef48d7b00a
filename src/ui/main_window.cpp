#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "app/analyze_cuffware.h"
#include "app/create_build_scripts.h"
#include "app/create_cuffware.h"
#include "app/file_commands.h"
#include "app/run_build_scripts.h"
#include "app/start_downloader.h"
#include "project/text_rules.h"
#include "ui/about_box.h"
#include "ui/analyze_dialog.h"
#include "ui/application_icon.h"
#include "ui/file_tree_widget.h"
#include "ui/options_dialog.h"
#include "ui/qt_text.h"
#include "ui/window_placement.h"

namespace cuffware {

namespace {

// Each text field of the project and the control it lives in.
std::vector<std::pair<QLineEdit*, std::string ProjectRecord::*>> TextFields(
    const MainWindowForm& form) {
    return {{form.TextApplicationName, &ProjectRecord::ApplicationName},
            {form.TextFolderName, &ProjectRecord::FolderName},
            {form.TextDescription, &ProjectRecord::Description},
            {form.TextBannerLine1, &ProjectRecord::BannerLine1},
            {form.TextBannerLine2, &ProjectRecord::BannerLine2},
            {form.TextVersionRequired, &ProjectRecord::VersionRequired},
            {form.TextPCInterface, &ProjectRecord::PCInterface},
            {form.TextHeaderDirectory, &ProjectRecord::HeaderDirectory},
            {form.TextSourceDirectory, &ProjectRecord::SourceDirectory},
            {form.TextBuildDirectory, &ProjectRecord::BuildDirectory},
            {form.TextIncludeDirectory, &ProjectRecord::IncludeDirectory},
            {form.TextAssemblerDirectory, &ProjectRecord::AssemblerDirectory}};
}

std::vector<std::pair<QCheckBox*, int ProjectRecord::*>> CheckFields(const MainWindowForm& form) {
    return {{form.CheckPasswordSupport, &ProjectRecord::PasswordSupport},
            {form.CheckDatabaseSupport, &ProjectRecord::DatabaseSupport}};
}

// Whether Add File may add under the node, by the tree's own rule: tried on
// a copy, so the file dialog is only shown for a node that takes a file.
constexpr int kDefaultWidth = 900;
constexpr int kDefaultHeight = 600;

}  // namespace

MainWindow::MainWindow(FileSystem& files, ProcessStarter& processes, Registry& registry,
                       QWidget* parent)
    : QMainWindow(parent),
      bench_(files, processes, *this),
      registry_(registry),
      hooks_(DesktopModalHooks()) {
    setObjectName("frmMain");
    form_.Build(this);
    setWindowIcon(ApplicationIcon());
    resize(kDefaultWidth, kDefaultHeight);
    ConnectControls();
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainWindow::UpdateClock);
    clock_->start();
    UpdateClock();
}

MainWindow::~MainWindow() = default;

void MainWindow::ConnectControls() {
    connect(form_.CommandCreateScript, &QPushButton::clicked, this,
            &MainWindow::CommandCreateScript_Click);
    connect(form_.CommandBuildCuffware, &QPushButton::clicked, this,
            &MainWindow::CommandBuildCuffware_Click);
    connect(form_.Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(form_.Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(form_.Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(form_.CommandAddFile, &QPushButton::clicked, this, &MainWindow::CommandAddFile_Click);
    connect(form_.CommandRemoveFile, &QPushButton::clicked, this,
            &MainWindow::CommandRemoveFile_Click);
    connect(form_.TreeViewFileList, &QTreeWidget::itemClicked, this,
            &MainWindow::TreeViewFileList_NodeClick);
    connect(form_.TreeViewFileList, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (form_.TreeViewFileList->SelectedNode() != 0)
            TreeViewFileList_NodeClick();
    });
    connect(form_.TreeViewFileList, &FileTreeWidget::filesDropped, this,
            &MainWindow::TreeViewFileList_OLEDragDrop);
    connect(form_.TextFolderName, &QLineEdit::textChanged, this,
            &MainWindow::TextFolderName_Change);
    connect(form_.mnuFileNew, &QAction::triggered, this, &MainWindow::mnuFileNew_Click);
    connect(form_.mnuFileOpen, &QAction::triggered, this, &MainWindow::mnuFileOpen_Click);
    connect(form_.mnuFileSave, &QAction::triggered, this, &MainWindow::mnuFileSave_Click);
    connect(form_.mnuFileExit, &QAction::triggered, this, &MainWindow::mnuFileExit_Click);
    connect(form_.mnuToolsOptions, &QAction::triggered, this, &MainWindow::mnuToolsOptions_Click);
    connect(form_.mnuHelpAbout, &QAction::triggered, this, &MainWindow::mnuHelpAbout_Click);
}

void MainWindow::Start(const std::string& settingsPath, const std::string& argumentText) {
    Form_Load(settingsPath);
    if (!Trimmed(argumentText).empty())
        RestoreProjectScript(bench_, argumentText);
    ShowProject();
}

void MainWindow::Form_Load(const std::string& settingsPath) {
    LoadWorkbench(bench_, settingsPath);
    ShowProject();
}

void MainWindow::UpdateClock() {
    QLocale locale;
    form_.StatusDate->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    form_.StatusTime->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

template <class Action>
void MainWindow::RunAction(Action action) {
    ReadControls();
    action();
    ShowProject();
}

void MainWindow::ReadControls() {
    ProjectRecord& project = bench_.project;
    for (auto [field, member] : TextFields(form_))
        project.*member = FromQt(field->text());
    for (auto [box, member] : CheckFields(form_))
        project.*member = box->isChecked() ? 1 : 0;
}

void MainWindow::ShowProject() {
    const ProjectRecord& project = bench_.project;
    for (auto [field, member] : TextFields(form_)) {
        // Only a real change is written, so the cursor stays where the user types.
        QString text = ToQt(project.*member);
        if (field->text() != text) {
            QSignalBlocker quiet(field);
            field->setText(text);
        }
    }
    for (QLineEdit* field : form_.DetailFields())
        field->setEnabled(project.DetailsEditable);
    for (auto [box, member] : CheckFields(form_))
        box->setChecked(project.*member != 0);
    form_.CommandAddFile->setEnabled(bench_.fileButtonsEnabled);
    form_.CommandRemoveFile->setEnabled(bench_.fileButtonsEnabled);
    if (!bench_.fileButtonsEnabled)
        selectedNode_ = 0;
    form_.TreeViewFileList->ShowTree(project.Files, selectedNode_);
}

void MainWindow::RunModal(QDialog& dialog) {
    openWindows_.push_back(&dialog);
    hooks_.runModal(dialog);
    std::erase_if(openWindows_, [&](const QPointer<QDialog>& open) {
        return open.isNull() || open.data() == &dialog;
    });
}

void MainWindow::SetStatus(const std::string& text) {
    form_.StatusText->setText(ToQt(text));
}

void MainWindow::ShowMessage(const std::string& text, MessageIcon icon) {
    QWidget* over = QApplication::activeModalWidget();
    hooks_.showMessage(over ? over : this, ToQt(text), icon);
}

std::optional<std::string> MainWindow::AskOpenFile(const OpenFileRequest& request) {
    QString path = hooks_.askOpenFile(this, ToQt(request.title), QtFileFilter(request.filter),
                                      ToQt(request.initialFileName));
    if (path.isEmpty())
        return std::nullopt;
    return FromQt(QDir::toNativeSeparators(path));
}

void MainWindow::CommandCreateScript_Click() {
    RunAction([this] { CreateBuildScripts(bench_); });
}

void MainWindow::CommandBuildCuffware_Click() {
    RunAction([this] { RunBuildScripts(bench_); });
}

void MainWindow::Command1_Click() {
    RunAction([this] { CreateCuffware(bench_); });
}

void MainWindow::Command3_Click() {
    RunAction([this] {
        std::optional<MemoryUsageReport> report = AnalyzeCuffware(bench_);
        if (!report)
            return;
        AnalyzeDialog window(*report, this);
        RunModal(window);
        FinishAnalysis(bench_);
    });
}

void MainWindow::Command2_Click() {
    RunAction([this] { StartDownloader(bench_); });
}

void MainWindow::CommandAddFile_Click() {
    RunAction([this] {
        FileTree& tree = bench_.project.Files;
        int node = form_.TreeViewFileList->SelectedNode();
        if (!AcceptsAddedFile(tree, node))
            return;
        std::optional<std::string> path = AskOpenFile({"Open", kSourceFileFilter, ""});
        if (!path || path->empty())
            return;
        AddFileToCategory(tree, node, *path);
        selectedNode_ = node;
    });
}

// The removed file's category (or parent node) is selected afterwards, so
// the buttons keep acting on the place the user was working in.
void MainWindow::CommandRemoveFile_Click() {
    RunAction([this] {
        FileTree& tree = bench_.project.Files;
        int node = form_.TreeViewFileList->SelectedNode();
        if (!tree.Contains(node))
            return;
        int parent = tree.Find(node)->parent;
        if (RemoveFileNode(tree, node))
            selectedNode_ = parent;
    });
}

void MainWindow::TreeViewFileList_NodeClick() {
    bench_.fileButtonsEnabled = true;
    form_.TreeViewFileList->AcceptFileDrops();
    selectedNode_ = form_.TreeViewFileList->SelectedNode();
    form_.CommandAddFile->setEnabled(true);
    form_.CommandRemoveFile->setEnabled(true);
}

void MainWindow::TreeViewFileList_OLEDragDrop(const QStringList& paths) {
    RunAction([&] {
        int node = form_.TreeViewFileList->SelectedNode();
        std::vector<std::string> files;
        for (const QString& path : paths)
            files.push_back(FromQt(path));
        if (std::optional<std::string> refusal = DropFiles(bench_.project.Files, node, files))
            ShowMessage(*refusal, MessageIcon::None);
        selectedNode_ = node;
    });
}

void MainWindow::TextFolderName_Change(const QString& text) {
    RunAction([&] { SetFolderName(bench_.project, FromQt(text), bench_.settings); });
}

void MainWindow::mnuFileNew_Click() {
    RunAction([this] { NewProject(bench_); });
}

void MainWindow::mnuFileOpen_Click() {
    RunAction([this] { OpenProjectScript(bench_); });
}

void MainWindow::mnuFileSave_Click() {
    RunAction([this] { SaveProjectScript(bench_); });
}

void MainWindow::mnuFileExit_Click() {
    close();
}

void MainWindow::mnuToolsOptions_Click() {
    if (!options_) {
        options_ = new OptionsDialog(
            [this](const ToolSettingsFields& fields) {
                Status written = WriteToolSettingsFile(bench_.files, bench_.settingsPath, fields);
                if (!written.ok())
                    ShowMessage(written.error().Text(), MessageIcon::Exclamation);
                return written.ok();
            },
            this);
    }
    options_->Fill(bench_.settings);
    RunModal(*options_);
    if (!options_)
        return;
    if (options_->Discarded()) {
        delete options_.data();
        return;
    }
    if (options_->UpdateRequested())
        bench_.settings = ToolSettingsFromFields(options_->Fields());
}

void MainWindow::mnuHelpAbout_Click() {
    AboutBox about(
        [this] {
            StartSysInfo(HostSysInfoLookup(registry_, bench_.files), bench_.processes, *this);
        },
        this);
    RunModal(about);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    for (auto open = openWindows_.rbegin(); open != openWindows_.rend(); ++open)
        if (!open->isNull())
            (*open)->close();
    SaveWindowPlacement(*this);
    event->accept();
}

}  // namespace cuffware
