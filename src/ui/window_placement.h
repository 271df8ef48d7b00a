#pragma once
// Saving the main window's placement in the per-user settings store (see
// app/window_placement.h for what is saved).

class QWidget;

namespace cuffware {

// Saves the placement of a window that is not minimized.
void SaveWindowPlacement(const QWidget& window);

}  // namespace cuffware
