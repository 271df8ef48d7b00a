#include "ui/main_window_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/file_tree_widget.h"
#include "ui/qt_text.h"

namespace cuffware {

namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// Each field's objectName, in MainField order.
constexpr const char* kFieldNames[] = {
    "TextApplicationName", "TextFolderName",      "TextDescription",      "TextBannerLine1",
    "TextBannerLine2",     "TextVersionRequired", "TextPCInterface",      "TextHeaderDirectory",
    "TextSourceDirectory", "TextBuildDirectory",  "TextIncludeDirectory", "TextAssemblerDirectory",
};
static_assert(std::size(kFieldNames) == kMainFieldCount);

// Each check box's objectName, in MainCheck order.
constexpr const char* kCheckNames[] = {"CheckPasswordSupport", "CheckDatabaseSupport"};
static_assert(std::size(kCheckNames) == kMainCheckCount);

QLineEdit* AddField(QFormLayout* form, const MainFieldLayout& layout) {
    auto* field = Named(new QLineEdit, kFieldNames[static_cast<size_t>(layout.field)]);
    if (layout.maxLength > 0)
        field->setMaxLength(layout.maxLength);
    field->setReadOnly(layout.readOnly);
    if (layout.readOnly)
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance("0000000") + 16);
    form->addRow(layout.caption, field);
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

void MainWindowForm::Build(QMainWindow* window) {
    window->setWindowTitle(kMainWindowTitle);

    QMenuBar* menus = window->menuBar();
    for (const Menu& menu : MenuBar()) {
        QMenu* shown = Named(menus->addMenu(menu.caption), menu.name);
        for (const MenuEntry& entry : menu.entries) {
            if (entry.separatorBefore)
                shown->addSeparator();
            QAction* action = AddEntry(shown, entry.caption, entry.name);
            action->setShortcut(QKeySequence(ToQt(ShortcutText(entry))));
            actions[static_cast<size_t>(entry.command)] = action;
        }
    }

    // The fields down to PC Interface, the check boxes, a rule, then the
    // directories.
    parametersFrame = Named(new QGroupBox(kParametersFrameCaption), "FrameParameters");
    QFormLayout* parameters = FieldLayout();
    QFormLayout* directories = FieldLayout();
    for (const MainFieldLayout& layout : MainFieldLayouts()) {
        bool directory = layout.block == MainFieldBlock::Directories;
        fields[static_cast<size_t>(layout.field)] =
            AddField(directory ? directories : parameters, layout);
    }

    auto* checkRow = new QHBoxLayout;
    for (const MainCheckLayout& layout : MainCheckLayouts()) {
        size_t index = static_cast<size_t>(layout.check);
        checks[index] = Named(new QCheckBox(layout.caption), kCheckNames[index]);
        checkRow->addWidget(checks[index]);
    }
    checkRow->addStretch(1);

    auto* separator = Named(new QFrame, "LineSeparator");
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    // Both field blocks share one label column width, so the fields line up.
    auto* parametersColumn = new QVBoxLayout(parametersFrame);
    parametersColumn->addLayout(parameters);
    parametersColumn->addLayout(checkRow);
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

    filesFrame = Named(new QGroupBox(kFilesFrameCaption), "FrameFiles");
    fileTree = Named(new FileTreeWidget, "TreeFiles");
    addFileButton = Named(new QPushButton(kAddFileCaption), "ButtonAddFile");
    removeFileButton = Named(new QPushButton(kRemoveFileCaption), "ButtonRemoveFile");
    addFileButton->setEnabled(false);
    removeFileButton->setEnabled(false);
    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(addFileButton);
    fileButtons->addWidget(removeFileButton);
    fileButtons->addStretch(1);
    auto* filesColumn = new QVBoxLayout(filesFrame);
    filesColumn->addWidget(fileTree, 1);
    filesColumn->addLayout(fileButtons);

    createBuildScriptsButton =
        Named(new QPushButton(kCreateBuildScriptsCaption), "ButtonCreateBuildScripts");
    runBuildScriptsButton =
        Named(new QPushButton(kRunBuildScriptsCaption), "ButtonRunBuildScripts");
    createCuffwareButton = Named(new QPushButton(kCreateCuffwareCaption), "ButtonCreateCuffware");
    analyzeCuffwareButton =
        Named(new QPushButton(kAnalyzeCuffwareCaption), "ButtonAnalyzeCuffware");
    startDownloaderButton =
        Named(new QPushButton(kStartDownloaderCaption), "ButtonStartDownloader");
    auto* buttonRow = new QHBoxLayout;
    for (QPushButton* button :
         {createBuildScriptsButton, runBuildScriptsButton, createCuffwareButton,
          analyzeCuffwareButton, startDownloaderButton}) {
        button->setMinimumHeight(button->sizeHint().height() + 8);
        buttonRow->addWidget(button, 1);
    }

    auto* frames = new QHBoxLayout;
    frames->addWidget(parametersFrame, 1);
    frames->addWidget(filesFrame, 1);
    auto* central = Named(new QWidget, "CentralArea");
    auto* column = new QVBoxLayout(central);
    column->addLayout(frames, 1);
    column->addLayout(buttonRow);
    window->setCentralWidget(central);

    statusBar = Named(new QStatusBar, "StatusBar");
    statusText = Named(new QLabel, "StatusText");
    statusDate = Named(new QLabel, "StatusDate");
    statusTime = Named(new QLabel, "StatusTime");
    statusBar->addWidget(statusText, 1);
    statusBar->addPermanentWidget(statusDate);
    statusBar->addPermanentWidget(statusTime);
    window->setStatusBar(statusBar);
}

}  // namespace cuffware
