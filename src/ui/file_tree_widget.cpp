#include "ui/file_tree_widget.h"

#include <QDir>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include "ui/qt_text.h"

namespace cuffware {

namespace {

constexpr int kNodeRole = Qt::UserRole;

}  // namespace

FileTreeWidget::FileTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

void FileTreeWidget::ShowTree(const FileTree& tree, int selectNode) {
    QSignalBlocker quiet(this);
    // Built again only when the tree changed, so what the user collapsed
    // or scrolled to stays while the other fields are edited.
    if (std::string look = Look(tree); look != shownLook_) {
        shownLook_ = std::move(look);
        int scrolledTo = verticalScrollBar()->value();
        clear();
        if (tree.Contains(kRootNode))
            AddItems(tree, kRootNode, new QTreeWidgetItem(this));
        verticalScrollBar()->setValue(scrolledTo);
    }
    if (QTreeWidgetItem* selected = ItemOfNode(selectNode)) {
        setCurrentItem(selected);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
}

std::string FileTreeWidget::Look(const FileTree& tree) {
    std::string look;
    std::vector<int> pending;
    if (tree.Contains(kRootNode))
        pending.push_back(kRootNode);
    while (!pending.empty()) {
        int node = pending.back();
        pending.pop_back();
        const FileTree::Node& shown = *tree.Find(node);
        look += std::to_string(node) + (shown.bold ? "b" : "") + (shown.checked ? "c" : "") +
                (shown.expanded ? "e" : "") + ' ' + shown.text + '\n';
        for (auto child = shown.children.rbegin(); child != shown.children.rend(); ++child)
            pending.push_back(*child);
    }
    return look;
}

void FileTreeWidget::AddItems(const FileTree& tree, int node, QTreeWidgetItem* item) {
    const FileTree::Node& shown = *tree.Find(node);
    item->setText(0, ToQt(shown.text));
    item->setData(0, kNodeRole, node);
    // The check marks show what the tree holds; the user does not toggle them.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(0, shown.checked ? Qt::Checked : Qt::Unchecked);
    if (shown.bold) {
        QFont font = item->font(0);
        font.setBold(true);
        item->setFont(0, font);
    }
    for (int child = tree.FirstChild(node); child != 0; child = tree.NextSibling(child))
        AddItems(tree, child, new QTreeWidgetItem(item));
    item->setExpanded(shown.expanded);
}

int FileTreeWidget::SelectedNode() const {
    QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->data(0, kNodeRole).toInt();
}

QTreeWidgetItem* FileTreeWidget::ItemOfNode(int node) const {
    if (node == 0)
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<FileTreeWidget*>(this)); *it; ++it)
        if ((*it)->data(0, kNodeRole).toInt() == node)
            return *it;
    return nullptr;
}

QStringList FileTreeWidget::LocalFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << QDir::toNativeSeparators(url.toLocalFile());
    return paths;
}

bool FileTreeWidget::Wants(const QMimeData* data) const {
    return acceptingFiles_ && !LocalFiles(data).isEmpty();
}

void FileTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (Wants(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (Wants(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

// Where the pointer is does not matter: the files go to the selected node.
void FileTreeWidget::dropEvent(QDropEvent* event) {
    if (!Wants(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(LocalFiles(event->mimeData()));
}

}  // namespace cuffware
