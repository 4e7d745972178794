// End-to-end case of the free-space wipe on a drive made for it: run-e2e.sh mounts a small
// file system image as W: after filling it with a file of a marker and deleting it, so that
// the marker lies in all its free space. Here the real program wipes W: from its Shredder page;
// afterwards the host (tests/e2e/wipe-drive.sh) looks for the marker in the raw image and
// checks the file system. Where the host cannot mount an image it says why, and the case
// skips with that reason.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "DriverSupport.h"
#include "Seeding.h"

namespace {

using e2e::entries;
using e2e::expectEq;
using e2e::fail;
using e2e::joined;
using e2e::Program;

const char* const kDrive = "W:";
const char* const kRoot = "W:\\";
// What the host leaves for the case, and what the case leaves for the host.
const char* const kSkipReason = "C:\\e2e\\wipe-drive\\skipped.txt";
const char* const kResult = "C:\\e2e\\wipe-drive\\result.txt";
constexpr DWORD kWipeDeadlineMs = 60000;
constexpr ULONGLONG kMegabyte = 1ull << 20;

// The entries of a drop-down list in another process. Wide messages, as for a list box:
// the text comes back as UTF-16 across processes.
std::vector<std::string> comboLines(HWND combo) {
  std::vector<std::string> lines;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    if (length == CB_ERR) break;
    std::wstring text(static_cast<size_t>(length) + 64, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    char narrow[256] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    lines.push_back(narrow);
  }
  return lines;
}

std::string windowText(HWND hwnd) {
  char text[512] = {};
  SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

ULONGLONG freeBytes(const char* root) {
  ULARGE_INTEGER toCaller{}, total{}, free{};
  return GetDiskFreeSpaceExA(root, &toCaller, &total, &free) ? toCaller.QuadPart : 0;
}

// How a wipe's label ends, and the megabytes it names: "Wiped 95 MB of free space on W: in
// 3 s. The filler files are removed." gives 95; any other text gives -1.
long long wipedMegabytes(const std::string& label) {
  const std::string head = "Wiped ";
  const std::string tail = std::string(" MB of free space on ") + kDrive + " in ";
  if (label.rfind(head, 0) != 0) return -1;
  const size_t mb = label.find(tail);
  if (mb == std::string::npos) return -1;
  std::string digits;
  for (size_t i = head.size(); i < mb; ++i)
    if (label[i] != ',') digits += label[i];
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
  // "... in 3 s. The filler files are removed."
  const std::string rest = label.substr(mb + tail.size());
  const size_t unit = rest.find(" s. ");
  const std::string after = unit == std::string::npos ? "" : rest.substr(unit + 4);
  if (unit == std::string::npos || rest.find_first_not_of("0123456789,") != unit ||
      after != "The filler files are removed.")
    return -1;
  return std::atoll(digits.c_str());
}

// A wipe has ended when its label no longer shows progress ("12 of 95 MB, ...").
bool wipeEnded(const std::string& label) {
  return label.rfind("Wiped ", 0) == 0 || label.rfind("Stopped", 0) == 0 || label.rfind("The wipe", 0) == 0 ||
         label.find("is not wiped") != std::string::npos || label.rfind("Not now", 0) == 0 ||
         label.rfind("A wipe is", 0) == 0 || label.rfind("Choose", 0) == 0;
}

}  // namespace

TEST(WipeFreeSpace, ADeletedFilesContentsOnAFixedDriveAreOverwrittenAndNothingIsLeft) {
  if (e2e::exists(kSkipReason)) GTEST_SKIP() << "no test drive: " << e2e::readFile(kSkipReason);
  ASSERT_TRUE(e2e::exists(kRoot)) << "run-e2e.sh made no drive " << kDrive << " and gave no reason (" << kSkipReason
                                  << ")";
  // Wine must see the mounted image as a local hard disk, or the wipe rightly refuses it.
  expectEq("type of W:", std::to_string(DRIVE_FIXED), std::to_string(GetDriveTypeA(kRoot)));
  const ULONGLONG freeBefore = freeBytes(kRoot);
  ASSERT_GT(freeBefore, 64 * kMegabyte) << "the test drive has no room above the margin";

  Program program;
  if (!program.start(e2e::programPath())) return;
  ASSERT_TRUE(program.showPage("Shredder"));
  HWND combo = program.control("cmbWipeDrive");
  ASSERT_NE(combo, nullptr);
  const std::vector<std::string> drives = comboLines(combo);
  int index = -1;
  for (size_t i = 0; i < drives.size(); ++i)
    if (drives[i] == kDrive) index = static_cast<int>(i);
  ASSERT_GE(index, 0) << "the drives offered: " << joined(drives);
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  expectEq("chosen drive", kDrive, windowText(combo));

  HWND label = program.control("lblWipeProgress");
  const DWORD start = GetTickCount();
  // Posted: the wipe runs inside the click's handler, pumping messages as it goes.
  PostMessageA(program.control("cmdWipeFree"), BM_CLICK, 0, 0);
  std::string text;
  const bool ended = e2e::waitUntil([&] { return wipeEnded(text = windowText(label)); }, kWipeDeadlineMs);
  const DWORD elapsedMs = GetTickCount() - start;
  if (!ended) fail("the wipe's label within 60 s", "Wiped ...", text);

  const std::string pictures = e2e::screenshotDir(e2e::programPath());
  CreateDirectoryA(pictures.c_str(), nullptr);
  program.settle();
  e2e::screenshot(program.main, pictures + "\\wipe-free-space.bmp");

  const long long wiped = wipedMegabytes(text);
  if (wiped < 0)
    fail("the wipe's closing text", "Wiped <N> MB of free space on W: in <S> s. The filler files are removed.", text);
  // Every free byte is written, the margin too: only the blocks ext2 takes to map the
  // fillers' blocks (a few hundred KB here) and the rounding down to megabytes are missing.
  if (wiped >= 0 && static_cast<ULONGLONG>(wiped + 2) * kMegabyte < freeBefore)
    fail("megabytes wiped", "about " + std::to_string(freeBefore / kMegabyte) + " (the free space)",
         std::to_string(wiped));
  expectEq("W:\\Quellery Free Space Wipe", "gone", e2e::exists("W:\\Quellery Free Space Wipe") ? "there" : "gone");
  expectEq("what W: holds", "lost+found", joined(entries("W:")));
  if (freeBytes(kRoot) + kMegabyte < freeBefore)
    fail("free space after the wipe", std::to_string(freeBefore), std::to_string(freeBytes(kRoot)));
  program.terminate();

  // The host times dd over as many megabytes, and scans the image for the marker.
  if (wiped >= 0) e2e::writeFile(kResult, std::to_string(wiped) + " " + std::to_string(elapsedMs) + "\n");
  std::printf("wiped %lld MB of W: in %lu ms\n", wiped, static_cast<unsigned long>(elapsedMs));
}
