#pragma once
// The tree-view control that shows the project's FileTree: check marks that
// show what the tree holds and cannot be toggled, bold file nodes, expanded
// categories, and files dropped from Explorer once drops are accepted.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "project/file_tree.h"

namespace cuffware {

class FileTreeView {
  public:
    // Takes over the tree-view control: the check boxes are added after
    // creation, as a control created with them loses the marks set while
    // it is filled.
    explicit FileTreeView(HWND tree);

    // Shows the tree (built again only when it changed, so scrolling and the
    // user's collapsing stay) and selects a node, or nothing for 0.
    void Show(const FileTree& tree, int selectNode);

    // The selected node's number, or 0.
    int SelectedNode() const;

    // From now on files dropped from Explorer reach onDrop.
    void AcceptFileDrops();
    bool AcceptsFileDrops() const { return acceptingDrops_; }

    std::function<void(const std::vector<std::string>& paths)> onDrop;

    HWND hwnd() const { return tree_; }

  private:
    static LRESULT CALLBACK Subclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void Insert(const FileTree& tree, int node, HTREEITEM parent);
    HTREEITEM ItemOfNode(HTREEITEM from, int node) const;

    HWND tree_;
    std::string shownLook_;
    bool acceptingDrops_ = false;
};

}  // namespace cuffware
