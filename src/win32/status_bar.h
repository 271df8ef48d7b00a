#pragma once
// The main window's status bar: the status text, then the date and the
// time in the user's short formats, kept current by a timer of the window.

#include <windows.h>

#include <string>

namespace cuffware {

class StatusBar {
  public:
    // Creates the bar at the bottom of window and makes the window taller by
    // the bar's height, so the laid-out controls keep their room.
    explicit StatusBar(HWND window);

    void SetStatus(const std::string& text);
    std::string Status() const;

    // The date and time panels; the window calls it from its timer.
    void UpdateClock();

    // Lays the three panels out again after a size or DPI change.
    void Resize();

    HWND hwnd() const { return bar_; }

  private:
    HWND window_;
    HWND bar_;
};

}  // namespace cuffware
