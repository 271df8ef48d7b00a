#include "ui/file_tree_widget.h"

#include <QDir>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <map>

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
    setAccessibleName(kFileTreeAccessibleName);
}

void FileTreeWidget::ShowTree(const std::vector<TreeRow>& rows, int selectNode) {
    QSignalBlocker quiet(this);
    if (TreeNeedsRebuild(shownRows_, rows)) {
        shownRows_ = rows;
        int scrolledTo = verticalScrollBar()->value();
        clear();
        std::map<int, QTreeWidgetItem*> items;
        for (const TreeRow& row : rows) {
            auto found = items.find(row.parent);
            auto* item = found == items.end() ? new QTreeWidgetItem(this)
                                              : new QTreeWidgetItem(found->second);
            items[row.node] = item;
            item->setText(0, ToQt(row.text));
            item->setData(0, kNodeRole, row.node);
            // The check marks show what the tree holds; the user does not
            // toggle them.
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
            if (row.bold) {
                QFont font = item->font(0);
                font.setBold(true);
                item->setFont(0, font);
            }
        }
        // Expanded once every child is in place.
        for (const TreeRow& row : rows)
            items[row.node]->setExpanded(row.expanded);
        verticalScrollBar()->setValue(scrolledTo);
    }
    if (QTreeWidgetItem* selected = ItemOfNode(selectNode)) {
        setCurrentItem(selected);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
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
    return takesDroppedFiles && takesDroppedFiles(static_cast<size_t>(LocalFiles(data).size()));
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
