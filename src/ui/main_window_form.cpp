#include "ui/main_window_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "project/project_record.h"
#include "ui/file_tree_widget.h"

namespace cuffware {

namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QLineEdit* AddField(QFormLayout* form, const char* caption, const char* name, int maxLength = 0) {
    auto* field = Named(new QLineEdit, name);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    form->addRow(caption, field);
    return field;
}

QFormLayout* FieldLayout() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return form;
}

QAction* AddEntry(QMenu* menu, const char* caption, const char* name) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

}  // namespace

std::vector<QLineEdit*> MainWindowForm::DetailFields() const {
    return {TextDescription,    TextBannerLine1,      TextBannerLine2,
            TextPCInterface,    TextHeaderDirectory,  TextSourceDirectory,
            TextBuildDirectory, TextIncludeDirectory, TextAssemblerDirectory};
}

void MainWindowForm::Build(QMainWindow* window) {
    window->setWindowTitle("Q740 Cuffware Builder");

    QMenuBar* menus = window->menuBar();
    mnuFile = Named(menus->addMenu("&File"), "mnuFile");
    mnuFileNew = AddEntry(mnuFile, "&New", "mnuFileNew");
    mnuFileOpen = AddEntry(mnuFile, "&Open...", "mnuFileOpen");
    mnuFileSave = AddEntry(mnuFile, "&Save", "mnuFileSave");
    mnuFile->addSeparator();
    mnuFileExit = AddEntry(mnuFile, "E&xit", "mnuFileExit");
    mnuTools = Named(menus->addMenu("&Tools"), "mnuTools");
    mnuToolsOptions = AddEntry(mnuTools, "&Options...", "mnuToolsOptions");
    mnuHelp = Named(menus->addMenu("&Help"), "mnuHelp");
    mnuHelpAbout = AddEntry(mnuHelp, "&About ", "mnuHelpAbout");

    FrameParameters = Named(new QGroupBox("Application Parameters"), "FrameParameters");
    QFormLayout* parameters = FieldLayout();
    TextApplicationName = AddField(parameters, "Application Name", "TextApplicationName");
    TextFolderName = AddField(parameters, "Folder Name", "TextFolderName");
    TextDescription = AddField(parameters, "Description", "TextDescription");
    TextBannerLine1 =
        AddField(parameters, "Banner Line 1", "TextBannerLine1", kBannerLineMaxLength);
    TextBannerLine2 =
        AddField(parameters, "Banner Line 2", "TextBannerLine2", kBannerLineMaxLength);
    TextVersionRequired =
        AddField(parameters, "Version Required", "TextVersionRequired", kVersionRequiredMaxLength);
    TextVersionRequired->setReadOnly(true);
    TextVersionRequired->setMaximumWidth(
        TextVersionRequired->fontMetrics().horizontalAdvance("0000000") + 16);
    TextPCInterface = AddField(parameters, "PC Interface", "TextPCInterface");

    CheckPasswordSupport = Named(new QCheckBox("Password Support"), "CheckPasswordSupport");
    CheckDatabaseSupport = Named(new QCheckBox("Database Support"), "CheckDatabaseSupport");
    auto* checks = new QHBoxLayout;
    checks->addWidget(CheckPasswordSupport);
    checks->addWidget(CheckDatabaseSupport);
    checks->addStretch(1);

    auto* separator = Named(new QFrame, "LineSeparator");
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    QFormLayout* directories = FieldLayout();
    TextHeaderDirectory = AddField(directories, "Header Directory", "TextHeaderDirectory");
    TextSourceDirectory = AddField(directories, "Source Directory", "TextSourceDirectory");
    TextBuildDirectory = AddField(directories, "Build Directory", "TextBuildDirectory");
    TextIncludeDirectory = AddField(directories, "Include Directory", "TextIncludeDirectory");
    TextAssemblerDirectory = AddField(directories, "Assembler Directory", "TextAssemblerDirectory");

    // Both field blocks share one label column width, so the fields line up.
    auto* parametersColumn = new QVBoxLayout(FrameParameters);
    parametersColumn->addLayout(parameters);
    parametersColumn->addLayout(checks);
    parametersColumn->addWidget(separator);
    parametersColumn->addLayout(directories);
    parametersColumn->addStretch(1);
    int labelWidth = 0;
    for (QFormLayout* form : {parameters, directories})
        for (int row = 0; row < form->rowCount(); ++row)
            if (QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole))
                labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (QFormLayout* form : {parameters, directories})
        for (int row = 0; row < form->rowCount(); ++row)
            if (QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole))
                label->widget()->setMinimumWidth(labelWidth);

    FrameFiles = Named(new QGroupBox("Source File Setup"), "FrameFiles");
    TreeViewFileList = Named(new FileTreeWidget, "TreeViewFileList");
    CommandAddFile = Named(new QPushButton("Add File"), "CommandAddFile");
    CommandRemoveFile = Named(new QPushButton("Remove File"), "CommandRemoveFile");
    CommandAddFile->setEnabled(false);
    CommandRemoveFile->setEnabled(false);
    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(CommandAddFile);
    fileButtons->addWidget(CommandRemoveFile);
    fileButtons->addStretch(1);
    auto* filesColumn = new QVBoxLayout(FrameFiles);
    filesColumn->addWidget(TreeViewFileList, 1);
    filesColumn->addLayout(fileButtons);

    CommandCreateScript = Named(new QPushButton("Create Build Scripts"), "CommandCreateScript");
    CommandBuildCuffware = Named(new QPushButton("Run Build Scripts"), "CommandBuildCuffware");
    Command1 = Named(new QPushButton("Create Cuffware"), "Command1");
    Command3 = Named(new QPushButton("Analyze Cuffware"), "Command3");
    Command2 = Named(new QPushButton("Cuffware Downloader"), "Command2");
    auto* buttonRow = new QHBoxLayout;
    for (QPushButton* button :
         {CommandCreateScript, CommandBuildCuffware, Command1, Command3, Command2}) {
        button->setMinimumHeight(button->sizeHint().height() + 8);
        buttonRow->addWidget(button, 1);
    }

    auto* frames = new QHBoxLayout;
    frames->addWidget(FrameParameters, 1);
    frames->addWidget(FrameFiles, 1);
    auto* central = Named(new QWidget, "CentralArea");
    auto* column = new QVBoxLayout(central);
    column->addLayout(frames, 1);
    column->addLayout(buttonRow);
    window->setCentralWidget(central);

    sbStatusBar = Named(new QStatusBar, "sbStatusBar");
    StatusText = Named(new QLabel, "StatusText");
    StatusDate = Named(new QLabel, "StatusDate");
    StatusTime = Named(new QLabel, "StatusTime");
    sbStatusBar->addWidget(StatusText, 1);
    sbStatusBar->addPermanentWidget(StatusDate);
    sbStatusBar->addPermanentWidget(StatusTime);
    window->setStatusBar(sbStatusBar);
}

}  // namespace cuffware
