#include "window_bench.h"

#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "platform/file_system.h"
#include "ui/file_tree_widget.h"

namespace cuffware::testing {

WindowBench::WindowBench(int states, const std::string& version)
    : window(DiskFileSystem(), processes, registry) {
    dir.Write("builder.ini", "BIN=" + SdkPath() + "\r\nASSEMBLER=c:\\c88\r\nSTATES=" +
                                 std::to_string(states) + "\r\nVERSION=" + version + "\r\n");
    ModalHooks& hooks = window.hooks();
    hooks.showMessage = [this](QWidget*, const QString& text, MessageIcon icon) {
        messages.push_back({text, icon});
    };
    hooks.askOpenFile = [this](QWidget*, const QString& title, const QString& filter,
                               const QString&) {
        fileAsked.push_back({title, filter});
        if (fileAnswers.empty())
            return QString();
        QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    };
    hooks.runModal = [this](QDialog& dialog) {
        if (users.empty())
            return;
        auto user = std::move(users.front());
        users.pop_front();
        user(dialog);
    };
}

void WindowBench::Start(const std::string& argumentText) {
    window.Start(SettingsPath(), argumentText);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

QLineEdit* WindowBench::Field(const char* name) {
    return window.findChild<QLineEdit*>(name);
}

QPushButton* WindowBench::Button(const char* name) {
    return window.findChild<QPushButton*>(name);
}

QString WindowBench::Status() {
    return window.findChild<QLabel*>("StatusText")->text();
}

QTreeWidgetItem* WindowBench::Item(int node) {
    return window.findChild<FileTreeWidget*>("TreeFiles")->ItemOfNode(node);
}

void WindowBench::Click(int node) {
    auto* tree = window.findChild<FileTreeWidget*>("TreeFiles");
    QTreeWidgetItem* item = tree->ItemOfNode(node);
    QVERIFY(item != nullptr);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

bool WindowBench::Drop(const QStringList& paths) {
    auto* tree = window.findChild<FileTreeWidget*>("TreeFiles");
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QPoint at = tree->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &drop);
    return drop.isAccepted();
}

QStringList WindowBench::ChildTexts(int node) {
    QStringList texts;
    if (QTreeWidgetItem* item = Item(node))
        for (int i = 0; i < item->childCount(); ++i)
            texts << item->child(i)->text(0);
    return texts;
}

}  // namespace cuffware::testing
