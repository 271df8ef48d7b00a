#pragma once
// The file tree control: shows the model's tree rows with their marks (bold,
// checked, expanded) and takes files dropped from a file manager when the
// window model takes them.

#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "app/window_models/main_window_model.h"

class QMimeData;

namespace cuffware {

class FileTreeWidget : public QTreeWidget {
    Q_OBJECT
  public:
    explicit FileTreeWidget(QWidget* parent = nullptr);

    // Shows the rows and selects selectNode when a row shows it (0: no
    // selection). The items are built again only when the rows changed, so
    // what the user collapsed or scrolled to stays.
    void ShowTree(const std::vector<TreeRow>& rows, int selectNode);

    // The node number of the selected item, or 0.
    int SelectedNode() const;

    // The item showing a node, or nullptr.
    QTreeWidgetItem* ItemOfNode(int node) const;

    // Whether a drag that carries this many local files is taken (the
    // window model decides); none is taken until this is set.
    std::function<bool(size_t fileCount)> takesDroppedFiles;

    // The local files a drag carries, as native paths in the drop's order.
    static QStringList LocalFiles(const QMimeData* data);

  signals:
    void filesDropped(const QStringList& paths);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    bool Wants(const QMimeData* data) const;

    std::vector<TreeRow> shownRows_;
};

}  // namespace cuffware
