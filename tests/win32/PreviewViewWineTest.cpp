// The preview window's list view and progress bar as real common controls: made when the
// window first shows, holding the model's columns, rows and position, and a header click
// or a selection in the control going back to the model.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "WinePlatform.h"
#include "preview/PreviewRows.h"
#include "view/MainView.h"

using winetest::WinePlatform;

namespace {

std::string cell(HWND list, int row, int column) {
  char text[260] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::string columnCaption(HWND list, int column) {
  char text[64] = {};
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = text;
  col.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
  return text;
}

erase::Plan twoItems() {
  erase::Plan plan;
  plan.items.push_back({7, "Clean Windows Temp File Folder",
                        {{erase::TargetKind::File, "C:\\WINDOWS\\TEMP\\a.tmp", 3000, erase::Outcome::Planned, ""},
                         {erase::TargetKind::File, "C:\\WINDOWS\\TEMP\\b.tmp", 2000, erase::Outcome::Planned, ""}}});
  plan.items.push_back({5, "Clean Clipboard", {{erase::TargetKind::Clipboard, "Clipboard", 0, erase::Outcome::Planned, ""}}});
  return plan;
}

}  // namespace

TEST(PreviewViewWine, TheListAndTheBarAreMadeWhenFirstShownAndFollowTheModelBothWays) {
  WinePlatform w;
  view::MainView view(w.app, GetModuleHandleA(nullptr));
  preview::PreviewWindow& p = w.app.frmPreview;
  // Filled before it has windows: they show what the model holds when they are made.
  p.lvwItems.setRows(preview::planRows(twoItems()));
  p.prgCollect.setRange(0, 29);
  p.prgCollect.setValue(7);
  EXPECT_EQ(view.handleOf(p.lvwItems), nullptr) << "nothing is made before the window shows";

  p.form.setVisible(true);
  HWND list = view.handleOf(p.lvwItems);
  HWND bar = view.handleOf(p.prgCollect);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(bar, nullptr);
  char className[64] = {};
  GetClassNameA(list, className, sizeof className);
  EXPECT_STREQ(className, "SysListView32");
  EXPECT_EQ(columnCaption(list, 0), "Item");
  EXPECT_EQ(columnCaption(list, 7), "Kept");
  EXPECT_EQ(columnCaption(list, 8), "Size");
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(cell(list, 0, 0), "Clean Windows Temp File Folder");
  EXPECT_EQ(cell(list, 0, 1), "2");
  EXPECT_EQ(cell(list, 0, 8), "4.88 KB");
  EXPECT_EQ(cell(list, 2, 0), "Total");
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 7);
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 29);

  // A click on the Size header, as the control reports it to its window.
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = GetDlgCtrlID(list);
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = 8;
  SendMessageA(GetParent(list), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(p.lvwItems.sortColumn(), 8);
  EXPECT_EQ(cell(list, 0, 0), "Clean Clipboard") << "the smallest first";
  EXPECT_EQ(cell(list, 2, 0), "Total");

  // A row selected in the control is the model's, and the model's in the control.
  LVITEMA state = {};
  state.stateMask = state.state = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(p.lvwItems.selectedRow(), 1);
  p.lvwItems.setSelectedRow(0);
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);

  p.prgCollect.setValue(29);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 29);
  p.lvwItems.setColumns(preview::reportColumns());
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(columnCaption(list, 6), "Freed");
  EXPECT_EQ(columnCaption(list, 7), "") << "the preview's columns are gone";
  p.form.setVisible(false);
}
