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
#include <QScreen>
#include <QScrollArea>
#include <QTime>
#include <QTimer>
#include <algorithm>

#include "app/window_models/memory_usage_view.h"
#include "platform/host_path.h"
#include "ui/about_box.h"
#include "ui/analyze_dialog.h"
#include "ui/application_icon.h"
#include "ui/file_tree_widget.h"
#include "ui/options_dialog.h"
#include "ui/qt_text.h"
#include "ui/window_placement.h"

namespace cuffware {

namespace {

constexpr int kDefaultWidth = 900;
constexpr int kDefaultHeight = 600;
// What a window manager's frame and caption take around the window.
constexpr QSize kFrameAllowance(16, 48);

}  // namespace

MainWindow::MainWindow(FileSystem& files, ProcessStarter& processes, Registry& registry,
                       QWidget* parent)
    : QMainWindow(parent), model_(files, processes, *this, registry), hooks_(DesktopModalHooks()) {
    setObjectName("MainWindow");
    form_.Build(this);
    setWindowIcon(ApplicationIcon());
    FitToScreen();
    ConnectControls();
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainWindow::UpdateClock);
    clock_->start();
    UpdateClock();
}

MainWindow::~MainWindow() = default;

// At a high DPI the form's least size can exceed a small screen: the form
// then scrolls inside the window, and the window takes at most the screen's
// free area, less room for the frame the window manager adds.
void MainWindow::FitToScreen() {
    auto* scroll = new QScrollArea;
    scroll->setObjectName("FormScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(takeCentralWidget());
    setCentralWidget(scroll);
    QSize size(kDefaultWidth, kDefaultHeight);
    if (QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() - kFrameAllowance);
    resize(size);
}

template <class Event>
void MainWindow::Handle(Event event) {
    event();
    ShowModel();
}

void MainWindow::ConnectControls() {
    for (const MainFieldLayout& layout : MainFieldLayouts()) {
        MainField field = layout.field;
        connect(form_.Field(field), &QLineEdit::textChanged, this,
                [this, field](const QString& text) {
                    Handle([&] { model_.FieldChanged(field, FromQt(text)); });
                });
    }
    for (const MainCheckLayout& layout : MainCheckLayouts()) {
        MainCheck check = layout.check;
        connect(form_.Check(check), &QCheckBox::toggled, this,
                [this, check](bool on) { Handle([&] { model_.CheckChanged(check, on); }); });
    }

    FileTreeWidget* tree = form_.fileTree;
    tree->takesDroppedFiles = [this](size_t count) { return model_.TakesDroppedFiles(count); };
    auto selected = [this, tree] { Handle([&] { model_.NodeSelected(tree->SelectedNode()); }); };
    connect(tree, &QTreeWidget::itemClicked, this, selected);
    connect(tree, &QTreeWidget::itemSelectionChanged, this, [tree, selected] {
        if (tree->SelectedNode() != 0)
            selected();
    });
    connect(tree, &FileTreeWidget::filesDropped, this, [this](const QStringList& paths) {
        std::vector<std::string> files;
        for (const QString& path : paths)
            files.push_back(FromQt(path));
        Handle([&] { model_.FilesDropped(files); });
    });

    // A button or menu entry that runs one of the model's actions.
    auto forward = [this](auto* control, auto signal, void (MainWindowModel::*action)()) {
        connect(control, signal, this, [this, action] { Handle([&] { (model_.*action)(); }); });
    };
    forward(form_.addFileButton, &QPushButton::clicked, &MainWindowModel::AddFile);
    forward(form_.removeFileButton, &QPushButton::clicked, &MainWindowModel::RemoveFile);
    forward(form_.createBuildScriptsButton, &QPushButton::clicked,
            &MainWindowModel::CreateBuildScripts);
    forward(form_.runBuildScriptsButton, &QPushButton::clicked, &MainWindowModel::RunBuildScripts);
    forward(form_.createCuffwareButton, &QPushButton::clicked, &MainWindowModel::CreateCuffware);
    forward(form_.startDownloaderButton, &QPushButton::clicked, &MainWindowModel::StartDownloader);
    forward(form_.Action(MenuCommand::FileNew), &QAction::triggered, &MainWindowModel::NewProject);
    forward(form_.Action(MenuCommand::FileOpen), &QAction::triggered,
            &MainWindowModel::OpenProject);
    forward(form_.Action(MenuCommand::FileSave), &QAction::triggered,
            &MainWindowModel::SaveProject);
    connect(form_.analyzeCuffwareButton, &QPushButton::clicked, this, &MainWindow::AnalyzeCuffware);
    connect(form_.Action(MenuCommand::FileExit), &QAction::triggered, this, &MainWindow::close);
    connect(form_.Action(MenuCommand::ToolsOptions), &QAction::triggered, this,
            &MainWindow::EditOptions);
    connect(form_.Action(MenuCommand::HelpAbout), &QAction::triggered, this,
            &MainWindow::ShowAbout);
}

void MainWindow::Start(const std::string& settingsPath, const std::string& argumentText) {
    Handle([&] { model_.Start(settingsPath, argumentText); });
}

void MainWindow::UpdateClock() {
    QLocale locale;
    form_.statusDate->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    form_.statusTime->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

void MainWindow::ShowModel() {
    for (const MainFieldLayout& layout : MainFieldLayouts()) {
        QLineEdit* field = form_.Field(layout.field);
        // Only a real change is written, so the cursor stays where the user types.
        QString text = ToQt(model_.FieldText(layout.field));
        if (field->text() != text) {
            QSignalBlocker quiet(field);
            field->setText(text);
        }
        field->setEnabled(model_.FieldEnabled(layout.field));
    }
    for (const MainCheckLayout& layout : MainCheckLayouts()) {
        QSignalBlocker quiet(form_.Check(layout.check));
        form_.Check(layout.check)->setChecked(model_.Checked(layout.check));
    }
    form_.addFileButton->setEnabled(model_.FileButtonsEnabled());
    form_.removeFileButton->setEnabled(model_.FileButtonsEnabled());
    form_.fileTree->ShowTree(model_.TreeRows(), model_.SelectedNode());
}

void MainWindow::RunModal(QDialog& dialog) {
    openWindows_.push_back(&dialog);
    hooks_.runModal(dialog);
    std::erase_if(openWindows_, [&](const QPointer<QDialog>& open) {
        return open.isNull() || open.data() == &dialog;
    });
}

void MainWindow::SetStatus(const std::string& text) {
    form_.statusText->setText(ToQt(text));
}

void MainWindow::ShowMessage(const std::string& text, MessageIcon icon) {
    QWidget* over = QApplication::activeModalWidget();
    hooks_.showMessage(over ? over : this, ToQt(text), icon);
}

std::optional<std::string> MainWindow::AskOpenFile(const OpenFileRequest& request) {
    QString start = ToQt(request.initialFileName);
    if (!request.initialDirectory.empty())
        start = QDir(ToQt(HostPath(request.initialDirectory))).filePath(start);
    QString path =
        hooks_.askOpenFile(this, ToQt(request.title), QtFileFilter(request.filter), start);
    if (path.isEmpty())
        return std::nullopt;
    return FromQt(QDir::toNativeSeparators(path));
}

// Every analysis shows a window of its own.
void MainWindow::AnalyzeCuffware() {
    Handle([this] {
        std::optional<MemoryUsageReport> report = model_.AnalyzeCuffware();
        if (!report)
            return;
        AnalyzeDialog window(MemoryUsageViewOf(*report), this);
        RunModal(window);
        model_.AnalysisClosed();
    });
}

// One dialog serves every opening until its close box discards it.
void MainWindow::EditOptions() {
    if (!options_)
        options_ = new OptionsDialog(model_.options(), this);
    options_->Open();
    RunModal(*options_);
    if (options_ && !model_.options().Ended())
        delete options_.data();
}

void MainWindow::ShowAbout() {
    AboutBox about([this] { model_.StartSystemInformation(); }, this);
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
