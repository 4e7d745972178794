// The customisation window's routines on Wine: the Favorites guard on the prefix's own
// Favorites folder, and the start page in Wine's registry.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "WinePlatform.h"
#include "custom/BookmarkGuard.h"
#include "custom/frmCustom.h"

using namespace winetest;

namespace {

const char kIEMain[] = "Software\\Microsoft\\Internet Explorer\\Main";

// Lets the program's timers run until `done` holds or five seconds pass.
template <typename Done>
bool pumpUntil(WinePlatform& w, Done done, DWORD ms = 5000) {
  const DWORD end = GetTickCount() + ms;
  while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) {
    w.loop.doEvents();
    Sleep(10);
  }
  return done();
}

std::string favoritesFolder() {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, TRUE)) return {};
  return path;
}

class FavouritesGuardWine : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = favoritesFolder();
    ASSERT_FALSE(folder.empty());
    before = folder + "\\Quellery guard before.url";
    after = folder + "\\Quellery guard after.url";
    busy = folder + "\\Quellery guard busy.url";
    for (const std::string* path : {&before, &after, &busy}) DeleteFileA(path->c_str());
  }
  void TearDown() override {
    custom::StopBookmarkGuard(w.app.run(), w.app.favouritesWatch);
    for (const std::string* path : {&before, &after, &busy}) DeleteFileA(path->c_str());
  }
  WinePlatform w;
  std::string folder, before, after, busy;
};

}  // namespace

TEST_F(FavouritesGuardWine, DeletesAFavouriteCreatedAfterEnableAndKeepsOneFromBefore) {
  writeFile(before, "[InternetShortcut]\r\nURL=http://before.example/\r\n");
  custom::cmdEnableAutoBookMark_Click(w.app, w.app.frmCustom, w.app.favouritesWatch);
  ASSERT_TRUE(w.app.favouritesWatch.running);
  EXPECT_NE(w.app.favouritesWatch.handle, 0u) << "no change notification on " << folder;

  writeFile(after, "[InternetShortcut]\r\nURL=http://planted.example/\r\n");
  const DWORD start = GetTickCount();
  EXPECT_TRUE(pumpUntil(w, [&] { return !exists(after); })) << after << " is still there";
  EXPECT_LT(GetTickCount() - start, 1000u);
  pumpUntil(w, [] { return false; }, 300);
  EXPECT_TRUE(exists(before)) << before << " was deleted";

  custom::cmdDisableAutoBookMark_Click(w.app, w.app.frmCustom, w.app.favouritesWatch);
  writeFile(after, "x");
  pumpUntil(w, [] { return false; }, 300);
  EXPECT_TRUE(exists(after)) << "deleted after Disable";
}

TEST_F(FavouritesGuardWine, AFavouriteHeldOpenByItsWriterGoesOnceItIsClosed) {
  custom::cmdEnableAutoBookMark_Click(w.app, w.app.frmCustom, w.app.favouritesWatch);
  HANDLE writer = CreateFileA(busy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(writer, "[Internet", 9, &written, nullptr);
  pumpUntil(w, [] { return false; }, 400);
  EXPECT_TRUE(exists(busy)) << "deleted while still being written";
  WriteFile(writer, "Shortcut]\r\n", 11, &written, nullptr);
  CloseHandle(writer);
  EXPECT_TRUE(pumpUntil(w, [&] { return !exists(busy); })) << busy << " is still there";
}

TEST(StartPageWine, UseBlankWritesAboutBlank) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kIEMain, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  char saved[2048] = {};
  DWORD savedSize = sizeof saved, type = 0;
  const bool hadValue = RegQueryValueExA(key, "Start Page", nullptr, &type, reinterpret_cast<BYTE*>(saved), &savedSize) ==
                        ERROR_SUCCESS;

  WinePlatform w;
  custom::cmdUseBlank_Click(w.app, w.app.frmCustom);
  char value[256] = {};
  DWORD size = sizeof value - 1;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Start Page", nullptr, &type, reinterpret_cast<BYTE*>(value), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ("about:blank", std::string(value));
  EXPECT_EQ("about:blank", w.app.frmCustom.txthome.text());

  if (hadValue)
    RegSetValueExA(key, "Start Page", 0, type, reinterpret_cast<const BYTE*>(saved), savedSize);
  else
    RegDeleteValueA(key, "Start Page");
  RegCloseKey(key);
}

#include "view/MainView.h"

TEST(CustomWindowViewWine, OpensOverADisabledMainWindowAndClosesWithItsCloseBox) {
  WinePlatform w;
  view::MainView view(w.app, GetModuleHandleA(nullptr));
  custom::CustomWindow& custom = w.app.frmCustom;
  HWND dialog = nullptr;
  bool shownWhileOpen = false, mainEnabledWhileOpen = true;
  std::string caption, useBlank;
  // The click runs the modal loop; each time it yields, look for the window and close it.
  w.loop.onYield = [&] {
    if (dialog || !custom.form.hWnd) return;
    dialog = reinterpret_cast<HWND>(custom.form.hWnd);
    shownWhileOpen = IsWindowVisible(dialog) != FALSE;
    mainEnabledWhileOpen = IsWindowEnabled(view.window()) != FALSE;
    char text[64] = {};
    GetWindowTextA(dialog, text, sizeof text);
    caption = text;
    GetWindowTextA(view.handleOf(custom.cmdUseBlank), text, sizeof text);
    useBlank = text;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  };
  w.app.frm.cookies.cmdIEcustSettings.click();
  w.loop.onYield = nullptr;
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ("Custom Settings", caption);
  EXPECT_EQ("Use Blank", useBlank);
  EXPECT_TRUE(shownWhileOpen);
  EXPECT_FALSE(mainEnabledWhileOpen);
  EXPECT_FALSE(custom.loaded);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(view.window()));
}
