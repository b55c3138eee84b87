// A list view with check boxes, in this process or another: its rows, their check
// boxes and where they are. Pointer messages go through memory allocated in the
// list's process (the test and the program are built for the same bitness).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

int rowCount(HWND list);
// The row's text as read into a buffer of that many characters.
std::wstring rowText(HWND list, int row, int capacity = 1024);
std::vector<std::wstring> rowTexts(HWND list);
bool rowChecked(HWND list, int row);
std::vector<bool> rowChecks(HWND list);
// The focused row, -1 for none; the row shown at the top.
int focusedRow(HWND list);
int topRow(HWND list);

// The row's whole rectangle in the list's client area.
RECT rowBounds(HWND list, int row);
// A point inside the row's check box, in the list's client area, found by the
// list view's own hit test.
POINT checkBoxPoint(HWND list, int row);

// LVM_SETITEMSTATE as another program sends it; row -1 is every row.
void setRowState(HWND list, int row, UINT state, UINT stateMask);
void setRowChecked(HWND list, int row, bool checked);

} // namespace e2e
