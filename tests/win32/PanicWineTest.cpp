// The panic's window sweep on real windows of this process, the restart request with its
// privilege step (the request itself is intercepted: no test ends the session), and a key
// path written with a trailing backslash, as the Run entry's is.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WinePlatform.h"
#include "engine/Reboot.h"
#include "erase/RegValues.h"
#include "panic/WindowSweep.h"

using namespace winetest;

namespace {

LRESULT CALLBACK refuseClose(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) return 0;  // a page that asks to stay
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class WindowSweepWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "IEFrame";
    RegisterClassA(&wc);
    wc.lpszClassName = "QuelleryWineTestWindow";
    RegisterClassA(&wc);
  }
  HWND open(const char* className, const char* title) {
    HWND hwnd = CreateWindowA(className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    opened.push_back(hwnd);
    return hwnd;
  }
  void TearDown() override {
    for (HWND hwnd : opened)
      if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  std::vector<HWND> opened;
  WinePlatform w;
};

}  // namespace

TEST_F(WindowSweepWine, EveryIEFrameClosesButOnlyTheFirstTitleMatch) {
  HWND ie[3];
  for (HWND& hwnd : ie) hwnd = open("IEFrame", "about:blank - Microsoft Internet Explorer");
  HWND netscape1 = open("QuelleryWineTestWindow", "Quellery test - NETSCAPE one");
  HWND netscape2 = open("QuelleryWineTestWindow", "Quellery test - Netscape two");
  panic::CloseIEWindows(w.app.os);
  for (HWND hwnd : ie) EXPECT_FALSE(IsWindow(hwnd));

  panic::CloseWindowByTitle(w.app.os, "quellery test - netscape");
  w.loop.doEvents();
  EXPECT_EQ(1, !IsWindow(netscape1) + !IsWindow(netscape2)) << "exactly one of the two closed";
  // A search that finds nothing closes nothing, whatever an earlier one found.
  HWND survivor = IsWindow(netscape1) ? netscape1 : netscape2;
  panic::CloseWindowByTitle(w.app.os, "no window has this title");
  w.loop.doEvents();
  EXPECT_TRUE(IsWindow(survivor));
}

TEST_F(WindowSweepWine, ABrowserThatRefusesToCloseIsLeftAfterTenSeconds) {
  HWND stubborn = open("IEFrame", "Internet Explorer");
  SetWindowLongPtrA(stubborn, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&refuseClose));
  const DWORD start = GetTickCount();
  panic::CloseIEWindows(w.app.os);
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 10000u);
  EXPECT_LT(took, 11000u);
  EXPECT_TRUE(IsWindow(stubborn));
}

TEST(RebootWine, TheRestartIsAskedByForceAfterTheShutdownPrivilegeIsEnabled) {
  WinePlatform w;
  ASSERT_TRUE(engine::IsWindowsNT(w.app.os)) << "Wine reports an NT system";
  engine::RebootWindows(w.app.os, true);
  ASSERT_EQ(w.system.exitRequests.size(), 1u);
  EXPECT_EQ(w.system.exitRequests[0].flags, 6u);
  EXPECT_EQ(w.system.exitRequests[0].reason, 0u);

  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  PRIVILEGE_SET check = {};
  check.PrivilegeCount = 1;
  LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &check.Privilege[0].Luid);
  BOOL enabled = FALSE;
  EXPECT_TRUE(PrivilegeCheck(token, &check, &enabled));
  EXPECT_TRUE(enabled) << "SeShutdownPrivilege enabled in this process";
  CloseHandle(token);
}

TEST(RunKeyPathWine, AKeyPathWithATrailingBackslashIsWrittenAndDeleted) {
  WinePlatform w;
  const char kKey[] = "Software\\QuelleryWineTest\\Run\\";
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuelleryWineTest");
  erase::WriteRegValue(w.app.run(), platform::hkey::CurrentUser, kKey, "Quellery - 2.10", "C:\\Q\\Quellery.exe m",
                       platform::regtype::String);
  EXPECT_EQ("C:\\Q\\Quellery.exe m", erase::ReadRegString(w.app.run(), platform::hkey::CurrentUser,
                                                          "Software\\QuelleryWineTest\\Run", "Quellery - 2.10"));
  erase::DeleteRegValue(w.app.run(), platform::hkey::CurrentUser, kKey, "Quellery - 2.10");
  EXPECT_EQ("", erase::ReadRegString(w.app.run(), platform::hkey::CurrentUser, "Software\\QuelleryWineTest\\Run",
                                     "Quellery - 2.10"));
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuelleryWineTest");
}
