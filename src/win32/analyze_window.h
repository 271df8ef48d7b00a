#pragma once
// frmAnalyze: the memory usage of a built application. The values above, the
// section table below with a usage bar beside each number (a state's bar
// stands on the common section, both measured against the overlay), and
// "ERROR" in red when the overlay is exceeded. OK, Enter, Esc or the close
// box end it.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "analysis/memory_usage.h"
#include "win32/dialog_window.h"

namespace cuffware {

class AnalyzeWindow : public DialogWindow {
  public:
    AnalyzeWindow(const MemoryUsageReport& report, HWND owner);
    ~AnalyzeWindow() override;

  protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    struct Row {
        int usage;
        int base;  // what the bar stands on
    };
    void AddRow(const std::string& section, int usage, int base);
    LRESULT DrawUsageCell(NMLVCUSTOMDRAW& draw) const;

    std::vector<Row> rows_;
    HFONT errorFont_ = nullptr;
    HIMAGELIST rowHeight_ = nullptr;
};

}  // namespace cuffware
