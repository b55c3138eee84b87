// A list view with check boxes in another process: its rows, their check boxes
// and where they are. Pointer messages go through memory allocated in the
// target process (the test and the program are built for the same bitness).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace snipfetch_e2e {

int rowCount(HWND list);
std::vector<std::wstring> rowTexts(HWND list);
bool rowChecked(HWND list, int row);
std::vector<bool> rowChecks(HWND list);

// The row's whole rectangle in the list's client area.
RECT rowBounds(HWND list, int row);
// A point inside the row's check box, in the list's client area, found by the
// list view's own hit test.
POINT checkBoxPoint(HWND list, int row);

// Checks or clears a row's box by LVM_SETITEMSTATE, as a program would.
void setRowChecked(HWND list, int row, bool checked);

} // namespace snipfetch_e2e
