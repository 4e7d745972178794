// The hardware page under Wine set to three Windows versions. Wine reads the version at
// process start, so each version is looked at by a child run of this program; the
// prefix's setting is put back afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "WinePlatform.h"
#include "sysinfo/HardwareInfo.h"

using namespace winetest;

namespace {

const char kChildOutput[] = "QUELLERY_HARDWARE_OUT";

class WineVersion {
 public:
  WineVersion() {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    size_ = sizeof saved_;
    had_ = RegQueryValueExA(key_, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size_) == ERROR_SUCCESS;
  }
  ~WineVersion() {
    if (had_)
      RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_), size_);
    else
      RegDeleteValueA(key_, "Version");
    RegCloseKey(key_);
  }
  void set(const std::string& version) {
    RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
  }

 private:
  HKEY key_ = nullptr;
  char saved_[64] = {};
  DWORD size_ = 0;
  bool had_ = false;
};

// The page's OS Type and Version values as a child process of this program sees them.
std::string childTexts() {
  const std::string out = tempFolder() + "quellery-hardware-child.txt";
  DeleteFileA(out.c_str());
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = std::string("\"") + self + "\" --gtest_filter=HardwarePageChild.WritesItsTexts";
  SetEnvironmentVariableA(kChildOutput, out.c_str());
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const BOOL started = CreateProcessA(self, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA(kChildOutput, nullptr);
  if (!started) return "child not started";
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  in.close();
  DeleteFileA(out.c_str());
  return text.str();
}

}  // namespace

// Run only as the child of the case below.
TEST(HardwarePageChild, WritesItsTexts) {
  char out[MAX_PATH] = {};
  if (!GetEnvironmentVariableA(kChildOutput, out, MAX_PATH)) GTEST_SKIP() << "runs as a child only";
  WinePlatform w;
  hardware::GetSystemInformation(w.app);
  const app::HardwarePage& page = w.app.frm.hardware;
  std::ofstream(out) << page.lblWin[1].caption() << "|" << page.lblWinVer[1].caption();
}

TEST(HardwarePageWine, OsTypeAndVersionFollowWinesWindowsVersion) {
  const struct {
    const char* wineVersion;
    const char* expected;
  } cases[] = {
      {"win98", "Microsoft Windows 98|4.10.2222"},
      {"win2k", "Microsoft Windows 2000|5.00.2195"},
      {"winxp", "Microsoft Windows XP Build 2600|5.01.2600"},
  };
  WineVersion version;
  for (const auto& c : cases) {
    version.set(c.wineVersion);
    EXPECT_EQ(c.expected, childTexts()) << "Wine set to " << c.wineVersion;
  }
}
