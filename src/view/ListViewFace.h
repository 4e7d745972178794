#pragma once
// The Win32 face of a list view model (SysListView32 in report style) and of a progress
// bar (msctls_progress32): what the window shows follows the model.
#include <windows.h>

#include "ui/ListView.h"

namespace view {

// Whole rows are selected, as a user of a report list expects.
void prepareListView(HWND list);
// Replaces the window's columns (and so its rows) with the model's.
void showColumns(HWND list, const ui::ListView& model);
// Replaces the window's rows with the model's, in the model's order.
void showRows(HWND list, const ui::ListView& model);
void showSelectedRow(HWND list, const ui::ListView& model);
// The row under the mouse at the last message, -1 for none: a double click's row.
int rowUnderMouse(HWND list);

void showProgress(HWND bar, const ui::ProgressBar& model);

}  // namespace view
