// End-to-end case of the preview window on the real program: a temp folder seeded with
// three files shows as one row with their count and size, the window is pictured for the
// README, and Start Cleaning then removes exactly those files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"
#include "view/ControlIds.h"

namespace {

using e2e::Program;

constexpr DWORD kRunDeadlineMs = 60000;

// TMP and TEMP for the program started meanwhile.
struct TempFor {
  explicit TempFor(const std::string& temp) {
    for (const char* name : {"TMP", "TEMP"}) {
      char old[MAX_PATH] = {};
      saved.push_back(GetEnvironmentVariableA(name, old, MAX_PATH) ? old : "");
      SetEnvironmentVariableA(name, temp.c_str());
    }
  }
  ~TempFor() {
    SetEnvironmentVariableA("TMP", saved[0].empty() ? nullptr : saved[0].c_str());
    SetEnvironmentVariableA("TEMP", saved[1].empty() ? nullptr : saved[1].c_str());
  }
  std::vector<std::string> saved;
};

// A cell of a list view in the program's process.
std::string cell(const Program& program, HWND list, int row, int column) {
  const SIZE_T textOffset = sizeof(LVITEMA);
  char* block = static_cast<char*>(
      VirtualAllocEx(program.process.hProcess, nullptr, textOffset + 256, MEM_COMMIT, PAGE_READWRITE));
  if (!block) return "(no memory)";
  LVITEMA query = {};
  query.iSubItem = column;
  query.pszText = block + textOffset;
  query.cchTextMax = 255;
  WriteProcessMemory(program.process.hProcess, block, &query, sizeof query, nullptr);
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block));
  char text[256] = {};
  ReadProcessMemory(program.process.hProcess, block + textOffset, text, sizeof text - 1, nullptr);
  VirtualFreeEx(program.process.hProcess, block, 0, MEM_RELEASE);
  return text;
}

HWND previewWindow() {
  for (HWND window : e2e::topLevelWindows("Preview"))
    if (IsWindowVisible(window)) return window;
  return nullptr;
}

}  // namespace

TEST(Preview, TheTempRowCountsTheSeededFilesAndTheRunThenRemovesExactlyThem) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty());
  const std::string temp = "C:\\qe2e-preview-temp";
  CreateDirectoryA(temp.c_str(), nullptr);
  const std::vector<std::pair<std::string, size_t>> seeded = {{"a.tmp", 1000}, {"b.tmp", 2000}, {"c.tmp", 3000}};
  for (const auto& file : seeded) ASSERT_TRUE(e2e::writeFile(temp + "\\" + file.first, std::string(file.second, 'x')));

  TempFor is(temp);
  Program program;
  ASSERT_TRUE(program.start(exePath));
  ASSERT_TRUE(e2e::tickOnly(program, {{"chkWinSettings", 7}}));  // Clean Windows Temp File Folder
  HWND previewButton = program.control("cmdPreview");
  ASSERT_NE(previewButton, nullptr);
  PostMessageA(previewButton, BM_CLICK, 0, 0);

  HWND window = nullptr;
  ASSERT_TRUE(e2e::waitUntil([&] { return (window = previewWindow()) != nullptr; })) << "no Preview window";
  HWND items = e2e::findControl(window, view::controlId("lvwItems"));
  HWND stop = e2e::findControl(window, view::controlId("cmdStop"));
  ASSERT_TRUE(items && stop);
  // Collected once Stop is disabled again; the temp row, then the totals.
  ASSERT_TRUE(e2e::waitUntil([&] { return !IsWindowEnabled(stop) && SendMessageA(items, LVM_GETITEMCOUNT, 0, 0) == 2; }));
  e2e::expectEq("the row's item", "Clean Windows Temp File Folder", cell(program, items, 0, 0));
  e2e::expectEq("files", "3", cell(program, items, 0, 1));
  e2e::expectEq("kept", "0", cell(program, items, 0, 7));
  e2e::expectEq("size", "5.85 KB", cell(program, items, 0, 8));  // 6,000 bytes
  e2e::expectEq("totals", "Total", cell(program, items, 1, 0));
  e2e::expectEq("total size", "5.85 KB", cell(program, items, 1, 8));
  for (const auto& file : seeded) EXPECT_TRUE(e2e::exists(temp + "\\" + file.first)) << "a preview removes nothing";

  const std::string pictures = e2e::screenshotDir(exePath);
  CreateDirectoryA(pictures.c_str(), nullptr);
  program.settle();
  e2e::screenshot(window, pictures + "\\preview.bmp");

  PostMessageA(e2e::findControl(window, view::controlId("cmdClose")), BM_CLICK, 0, 0);
  ASSERT_TRUE(e2e::waitUntil([&] { return !IsWindowVisible(window) && IsWindowEnabled(program.main); }));
  std::vector<std::string> lines;
  PostMessageA(program.control("cmdClean"), BM_CLICK, 0, 0);
  ASSERT_TRUE(e2e::waitForLines(program.control("lstClean"), &lines,
                                [](const auto& now) { return e2e::runEnded(now, "Cleaning Is Done."); }, kRunDeadlineMs))
      << e2e::listing(lines);
  for (const auto& file : seeded) EXPECT_FALSE(e2e::exists(temp + "\\" + file.first)) << file.first;
  EXPECT_TRUE(e2e::exists(temp)) << "the temp folder itself stays";
  e2e::expectEq("the status bar", "Cleaning freed 5.85 KB", program.panelText(2));
  EXPECT_TRUE(IsWindowEnabled(program.control("cmdReport")));
  program.terminate();
  RemoveDirectoryA(temp.c_str());
}

TEST(Preview, DuringARunItOpensNoWindowAndAPanicThenCleansAndEnds) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty());
  const std::string temp = "C:\\qe2e-preview-run-temp";
  CreateDirectoryA(temp.c_str(), nullptr);
  ASSERT_TRUE(e2e::writeFile(temp + "\\left.tmp", "left by a program"));
  ASSERT_TRUE(e2e::setString(HKEY_CURRENT_USER, e2e::kRunMRU, "a", "secret-command"));

  TempFor is(temp);
  Program program;
  ASSERT_TRUE(program.start(exePath));
  // The Recycle Bin first, the Run history, the temp folder last.
  ASSERT_TRUE(e2e::tickOnly(program, {{"chkWinSettings", 0}, {"chkWinSettings", 1}, {"chkWinSettings", 7}}));
  std::vector<std::string> lines;
  PostMessageA(program.control("cmdClean"), BM_CLICK, 0, 0);
  ASSERT_TRUE(e2e::waitForLines(
      program.control("lstClean"), &lines,
      [](const std::vector<std::string>& l) { return e2e::contains(l, "Cleaning Recycle Bin..."); }, kRunDeadlineMs))
      << e2e::listing(lines);
  HWND previewButton = program.control("cmdPreview");
  EXPECT_FALSE(IsWindowEnabled(previewButton)) << "Preview stays clickable during the run";
  EXPECT_FALSE(IsWindowEnabled(program.control("cmdReport"))) << "Report stays clickable during the run";
  PostMessageA(previewButton, BM_CLICK, 0, 0);
  program.settle();
  EXPECT_EQ(previewWindow(), nullptr) << "a Preview window opened during the run";

  e2e::pressKeysUntil({VK_CONTROL, VK_F11}, [&] { return !IsWindowVisible(program.main) || !program.running(); },
                      kRunDeadlineMs);
  EXPECT_EQ(WaitForSingleObject(program.process.hProcess, kRunDeadlineMs), WAIT_OBJECT_0)
      << "the program did not end after the panic";
  EXPECT_FALSE(e2e::exists(temp + "\\left.tmp")) << "the run stood still";
  EXPECT_EQ(e2e::readString(HKEY_CURRENT_USER, e2e::kRunMRU, "a"), "(missing)");
  program.terminate();
  DeleteFileA((temp + "\\left.tmp").c_str());
  RemoveDirectoryA(temp.c_str());
}
