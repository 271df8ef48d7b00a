#pragma once
// The analysis window: what the memory usage view holds. The values beside their
// captions, "ERROR" in red beside the one it marks, and the section table
// with a usage bar right of each number, red when it passes the overlay.
// OK, Enter, Esc or the close box end it.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/window_models/memory_usage_view.h"
#include "win32/dialog_window.h"

namespace cuffware {

class AnalyzeWindow : public DialogWindow {
  public:
    AnalyzeWindow(const MemoryUsageView& view, HWND owner);
    ~AnalyzeWindow() override;

  protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void PlaceErrorBeside(HWND value) const;
    LRESULT DrawUsageCell(NMLVCUSTOMDRAW& draw) const;

    std::vector<MemoryUsageRow> rows_;
    HFONT errorFont_ = nullptr;
    HIMAGELIST rowHeight_ = nullptr;
};

}  // namespace cuffware
