#pragma once
// What a screen reader calls a control that has no label of its own beside
// it (the file tree, the analysis list).

#include <windows.h>

#include <string>

namespace cuffware {

// Gives the control the name: as its window text, which no tree-view or
// list-view shows, and as the name its accessibility object reports
// (IAccPropServices) when the system's accessibility service is there.
void SetAccessibleName(HWND control, const std::string& name);

}  // namespace cuffware
