#include "view/ListViewFace.h"

#include <commctrl.h>

#include "view/Twips.h"

namespace view {

void prepareListView(HWND list) {
  // Ignored by the common controls of Windows 95 before 4.70: the first cell selects then.
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void showColumns(HWND list, const ui::ListView& model) {
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  while (SendMessageA(list, LVM_DELETECOLUMN, 0, 0)) {
  }
  const auto& columns = model.columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = columns[i].numeric ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = twipsToPixels(columns[i].width);
    column.pszText = const_cast<char*>(columns[i].caption.c_str());
    column.iSubItem = static_cast<int>(i);
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

void showRows(HWND list, const ui::ListView& model) {
  // Thousands of targets are drawn once, after the last row is in.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  SendMessageA(list, LVM_SETITEMCOUNT, model.rowCount(), 0);
  for (int r = 0; r < model.rowCount(); ++r) {
    const auto& cells = model.row(r).cells;
    for (size_t c = 0; c < cells.size() && c < model.columns().size(); ++c) {
      LVITEMA item = {};
      item.mask = LVIF_TEXT;
      item.iItem = r;
      item.iSubItem = static_cast<int>(c);
      item.pszText = const_cast<char*>(cells[c].c_str());
      SendMessageA(list, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, c == 0 ? 0 : r, reinterpret_cast<LPARAM>(&item));
    }
  }
  showSelectedRow(list, model);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void showSelectedRow(HWND list, const ui::ListView& model) {
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  const int row = model.selectedRow();
  if (row < 0) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
}

int rowUnderMouse(HWND list) {
  const DWORD pos = GetMessagePos();
  LVHITTESTINFO hit = {};
  hit.pt.x = static_cast<short>(LOWORD(pos));
  hit.pt.y = static_cast<short>(HIWORD(pos));
  ScreenToClient(list, &hit.pt);
  const int row = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) ? row : -1;
}

void showProgress(HWND bar, const ui::ProgressBar& model) {
  // The 16-bit range every version of the control knows.
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(model.min(), model.max()));
  SendMessageA(bar, PBM_SETPOS, model.value(), 0);
}

}  // namespace view
