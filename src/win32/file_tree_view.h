#pragma once
// The tree-view control that shows the window model's tree rows: check
// marks that show what the tree holds and cannot be toggled, bold file
// nodes, expanded categories, and files dropped from Explorer once drops
// are accepted.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/window_models/main_window_model.h"

namespace cuffware {

class FileTreeView {
  public:
    // Takes over the tree-view control: the check boxes are added after
    // creation, as a control created with them loses the marks set while
    // it is filled.
    explicit FileTreeView(HWND tree);

    // Shows the rows (built again only when they changed, so scrolling and
    // the user's collapsing stay) and selects a node, or nothing for 0.
    void Show(const std::vector<TreeRow>& rows, int selectNode);

    // The selected node's number, or 0.
    int SelectedNode() const;

    // Whether Explorer may drop files on the tree at all.
    void AcceptFileDrops(bool accept);

    // Whether a drop of this many files reaches onDrop (the window model
    // decides); none does until this is set.
    std::function<bool(size_t fileCount)> takesDroppedFiles;
    std::function<void(const std::vector<std::string>& paths)> onDrop;

    HWND hwnd() const { return tree_; }

  private:
    static LRESULT CALLBACK Subclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    HWND tree_;
    std::vector<TreeRow> shownRows_;
    std::map<int, HTREEITEM> items_;
    bool acceptingDrops_ = false;
};

}  // namespace cuffware
