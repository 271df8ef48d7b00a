#pragma once
// TreeViewFileList: shows the project's FileTree with its display marks
// (bold, checked, expanded) and takes files dropped from a file manager once
// drops have been switched on.

#include <QStringList>
#include <QTreeWidget>
#include <string>

#include "project/file_tree.h"

class QMimeData;

namespace cuffware {

class FileTreeWidget : public QTreeWidget {
    Q_OBJECT
  public:
    explicit FileTreeWidget(QWidget* parent = nullptr);

    // Replaces the items with the tree's nodes and selects selectNode when
    // the tree holds it (0: no selection). The scroll position stays.
    void ShowTree(const FileTree& tree, int selectNode);

    // The node number of the selected item, or 0.
    int SelectedNode() const;

    // The item showing a node, or nullptr.
    QTreeWidgetItem* ItemOfNode(int node) const;

    // Files dropped from now on are reported; before, drops are refused.
    void AcceptFileDrops() { acceptingFiles_ = true; }
    bool AcceptsFileDrops() const { return acceptingFiles_; }

    // The local files a drag carries, as native paths in the drop's order.
    static QStringList LocalFiles(const QMimeData* data);

  signals:
    void filesDropped(const QStringList& paths);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // What the user sees of a tree: nodes, texts and marks in tree order.
    static std::string Look(const FileTree& tree);
    bool Wants(const QMimeData* data) const;
    void AddItems(const FileTree& tree, int node, QTreeWidgetItem* item);

    bool acceptingFiles_ = false;
    std::string shownLook_;
};

}  // namespace cuffware
