// End-to-end cases on the real program: the Favorites guard, enabled from the customisation
// window, refuses with a message to work on a Favorites folder that the user's shell folders
// point at the Desktop, so new files there stay; on the real Favorites folder it still deletes
// a newly planted favourite, and goes on doing so after the program was closed and started
// again.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "DriverSupport.h"
#include "Seeding.h"

namespace {

using e2e::exists;
using e2e::expectEq;
using e2e::fail;
using e2e::Program;
using e2e::shellFolder;
using e2e::waitUntil;

const char* const kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr int kEnableId = 707;   // cmdEnableAutoBookMark
constexpr int kDisableId = 708;  // cmdDisableAutoBookMark

void pointFavoritesAt(const std::string& folder) {
  e2e::setString(HKEY_CURRENT_USER, kUserShellFolders, "Favorites", folder);
  e2e::setString(HKEY_CURRENT_USER, kShellFolders, "Favorites", folder);
}

// A message box of the program's, shown while the guard was asked to start.
HWND messageBox() {
  HWND box = FindWindowA("#32770", "Quellery");
  return box && IsWindowVisible(box) ? box : nullptr;
}

// Opens the customisation window from the main window; null when it did not show.
HWND openCustomisation(const Program& program) {
  PostMessageA(program.control("cmdIEcustSettings"), BM_CLICK, 0, 0);
  HWND custom = nullptr;
  if (!waitUntil([&] { return (custom = FindWindowA(nullptr, "Custom Settings")) && IsWindowVisible(custom); }))
    return nullptr;
  return custom;
}

const char* enabledText(HWND button) { return IsWindowEnabled(button) ? "enabled" : "disabled"; }

std::string boxText(HWND box) {
  char text[1024] = {};
  GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
  return text;
}

}  // namespace

TEST(FavouritesGuard, FavoritesPointedAtTheDesktopIsRefusedAndTheRealOneStillGuarded) {
  const std::string desktop = shellFolder(CSIDL_DESKTOPDIRECTORY), favorites = shellFolder(CSIDL_FAVORITES);
  ASSERT_FALSE(desktop.empty());
  ASSERT_FALSE(favorites.empty());
  CreateDirectoryA(desktop.c_str(), nullptr);
  CreateDirectoryA(favorites.c_str(), nullptr);
  pointFavoritesAt(desktop);

  Program program;
  ASSERT_TRUE(program.start(e2e::programPath()));
  HWND custom = openCustomisation(program);
  if (!custom) {
    fail("the customisation window", "shown", "missing");
    program.terminate();
    return;
  }
  HWND enable = e2e::findControl(custom, kEnableId);
  ASSERT_NE(enable, nullptr);
  PostMessageA(enable, BM_CLICK, 0, 0);
  HWND box = nullptr;
  if (!waitUntil([&] { return (box = messageBox()) != nullptr; })) {
    fail("a message telling the guard was refused", "shown", "none");
  } else {
    expectEq("the refusal", "The Favorites folder (" + desktop + ") is one of your own folders. Auto Bookmark "
             "deletes every new file in that folder, so it was not started.", boxText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return messageBox() == nullptr; });
  }
  const std::string document = desktop + "\\New document.txt";
  ASSERT_TRUE(e2e::writeFile(document, "a letter"));
  expectEq("Enable after the refusal", "enabled", enabledText(enable));

  // The real Favorites folder: a favourite planted after Enable goes, and nothing is said.
  pointFavoritesAt(favorites);
  PostMessageA(enable, BM_CLICK, 0, 0);
  waitUntil([&] { return !IsWindowEnabled(enable); }, 5000);
  const std::string planted = favorites + "\\Planted.url";
  ASSERT_TRUE(e2e::writeFile(planted, "[InternetShortcut]\r\nURL=http://planted.example/\r\n"));
  const bool deleted = waitUntil([&] { return !exists(planted); });
  expectEq(planted, "gone", deleted ? "gone" : "there");
  // A guard would have had the document long before it took the favourite planted since.
  expectEq(document, "there", exists(document) ? "there" : "gone");
  expectEq("a message on the real Favorites", "none", messageBox() ? boxText(messageBox()) : "none");
  program.terminate();
  DeleteFileA(document.c_str());
}

TEST(FavouritesGuard, AGuardOnWhenTheProgramClosedRunsAgainAfterARestart) {
  const std::string favorites = shellFolder(CSIDL_FAVORITES);
  ASSERT_FALSE(favorites.empty());
  CreateDirectoryA(favorites.c_str(), nullptr);
  pointFavoritesAt(favorites);
  // No later start finds the guard on; the program (declared after) ends first.
  struct ForgetTheGuard {
    ~ForgetTheGuard() {
      e2e::deleteValue(HKEY_CURRENT_USER, e2e::kLastHistory, "BookMarkE");
      e2e::deleteValue(HKEY_CURRENT_USER, e2e::kLastHistory, "BookMarkD");
    }
  } forget;
  Program program;
  ASSERT_TRUE(program.start(e2e::programPath()));
  HWND custom = openCustomisation(program);
  ASSERT_NE(custom, nullptr) << "the customisation window did not open";
  PostMessageA(e2e::findControl(custom, kEnableId), BM_CLICK, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(e2e::findControl(custom, kDisableId)) != FALSE; }, 5000))
      << "the guard did not start";
  PostMessageA(custom, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(custom) || !IsWindowVisible(custom); })) << "closing the window";
  ASSERT_TRUE(program.close());

  ASSERT_TRUE(program.start(e2e::programPath()));
  const std::string planted = favorites + "\\Planted after the restart.url";
  ASSERT_TRUE(e2e::writeFile(planted, "[InternetShortcut]\r\nURL=http://planted.example/\r\n"));
  const bool deleted = waitUntil([&] { return !exists(planted); });
  expectEq(planted, "gone", deleted ? "gone" : "there");
  custom = openCustomisation(program);
  ASSERT_NE(custom, nullptr) << "the customisation window did not open after the restart";
  expectEq("Enable after the restart", "disabled", enabledText(e2e::findControl(custom, kEnableId)));
  expectEq("Disable after the restart", "enabled", enabledText(e2e::findControl(custom, kDisableId)));
  DeleteFileA(planted.c_str());
}
