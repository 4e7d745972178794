// The main window's pages behind the one in front get their windows when first shown:
// then they hold what the model holds, in the order a user tabs through them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "WinePlatform.h"
#include "view/MainView.h"

using winetest::WinePlatform;

namespace {

std::string textOf(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

bool styled(HWND hwnd, LONG style) { return (GetWindowLongA(hwnd, GWL_STYLE) & style) == style; }

// The texts of a window's children that take the focus, in sibling order (the order in
// which Tab visits them in a dialog).
std::vector<std::string> tabStops(HWND parent) {
  std::vector<std::string> texts;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (styled(child, WS_TABSTOP | WS_VISIBLE)) texts.push_back(textOf(child));
  return texts;
}

}  // namespace

TEST(PagesViewWine, APageGetsItsWindowsWhenFirstShownWithItsTextsInTabOrder) {
  WinePlatform w;
  view::MainView view(w.app, GetModuleHandleA(nullptr));
  app::MainWindow& f = w.app.frm;
  EXPECT_EQ(view.handleOf(f.windows.frame), nullptr) << "a page not shown yet";
  EXPECT_EQ(view.handleOf(f.chkWinSettings[0]), nullptr);
  f.cleaning.fraCleaning.zOrder();
  HWND cleaning = view.handleOf(f.cleaning.fraCleaning);
  ASSERT_NE(cleaning, nullptr);
  EXPECT_EQ(view.handleOf(f.windows.frame), nullptr) << "a page behind the one in front";

  f.windows.frame.zOrder();
  HWND page = view.handleOf(f.windows.frame);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(styled(page, WS_VISIBLE));
  EXPECT_FALSE(styled(cleaning, WS_VISIBLE));
  EXPECT_EQ("Windows Settings", textOf(GetDlgItem(page, 0xFFFF)));
  // Sibling order, topmost first, as the page was always stacked: of controls never brought
  // forward, the one made last lies on top.
  const std::vector<std::string> expected = {"Clean Search Computer History",
                                             "Clean Open/Save Dialog Box History",
                                             "Clean Windows Temp File Folder",
                                             "Clean ScanDisk .Chk File",
                                             "Clean Clipboard",
                                             "Clean Registry Fragment Files",
                                             "Clean Find File/Folder History",
                                             "Clean Recent Document List",
                                             "Clean Recent Run History **",
                                             "Clean Recycle Bin",
                                             "Deselect All",
                                             "Select All"};
  EXPECT_EQ(expected, tabStops(page));
  EXPECT_EQ(page, GetParent(view.handleOf(f.chkWinSettings[9])));

  // Shown once, the page keeps its windows behind the next one, and they follow the model.
  f.cleaning.fraCleaning.zOrder();
  EXPECT_EQ(page, view.handleOf(f.windows.frame));
  EXPECT_FALSE(styled(page, WS_VISIBLE));
  f.chkWinSettings[5].setValue(1);
  EXPECT_EQ(BST_CHECKED, SendMessageA(view.handleOf(f.chkWinSettings[5]), BM_GETCHECK, 0, 0));
}

TEST(PagesViewWine, WhatWasSetBeforeItsPageWasShownShowsWhenItAppears) {
  WinePlatform w;
  view::MainView view(w.app, GetModuleHandleA(nullptr));
  app::MainWindow& f = w.app.frm;
  app::SchedulePage& s = f.schedule;
  ASSERT_EQ(view.handleOf(s.txtMin), nullptr);
  s.chkRun4.setValue(1);  // its click rule enables the rules below
  s.txtMin.setText("25");
  s.OptSchedule[1].setValue(true);
  s.chkSchedule[2].setValue(1);
  s.cmbWeek.setListIndex(3);
  s.dtpTime.setTime(14, 35);

  s.FraSchedule.zOrder();
  HWND minutes = view.handleOf(s.txtMin);
  ASSERT_NE(minutes, nullptr);
  EXPECT_EQ("25", textOf(minutes));
  // "Run " at a time: its time picker and the day rules take input, the minutes do not.
  EXPECT_FALSE(IsWindowEnabled(minutes));
  EXPECT_TRUE(IsWindowEnabled(view.handleOf(s.dtpTime)));
  EXPECT_TRUE(IsWindowEnabled(view.handleOf(s.chkSchedule[2])));
  EXPECT_EQ(BST_CHECKED, SendMessageA(view.handleOf(s.chkRun4), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageA(view.handleOf(s.OptSchedule[1]), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(view.handleOf(s.OptSchedule[0]), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageA(view.handleOf(s.chkSchedule[2]), BM_GETCHECK, 0, 0));
  HWND week = view.handleOf(s.cmbWeek);
  EXPECT_EQ(7, SendMessageA(week, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(3, SendMessageA(week, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("WED", textOf(week));
  SYSTEMTIME time = {};
  ASSERT_EQ(GDT_VALID, SendMessageA(view.handleOf(s.dtpTime), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)));
  EXPECT_EQ(14, time.wHour);
  EXPECT_EQ(35, time.wMinute);
  // The spin buttons step the minutes box they were given.
  EXPECT_EQ(reinterpret_cast<LRESULT>(minutes), SendMessageA(view.handleOf(s.UpDown1), UDM_GETBUDDY, 0, 0));
}

TEST(PagesViewWine, EveryMarkOfAListShowsWhenItsPageAppears) {
  WinePlatform w;
  view::MainView view(w.app, GetModuleHandleA(nullptr));
  ui::ListBox& cookies = w.app.frm.cookies.lstCookies;
  for (const char* site : {"Cookie:user@one.example/", "Cookie:user@two.example/", "Cookie:user@three.example/"})
    cookies.addItem(site);
  cookies.setSelected(0, true);
  cookies.setSelected(2, true);

  w.app.frm.ie.frame.zOrder();
  HWND list = view.handleOf(cookies);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0));
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 0, 0), 0);
  EXPECT_EQ(0, SendMessageA(list, LB_GETSEL, 1, 0));
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 2, 0), 0);
}
