// The upgrade end to end: a loopback server of the driver's own publishes a newer build
// of the very program under test and its signed manifest; the program downloads it and
// hands over across three starts, or refuses a download or a copy that does not match.
#include "../LoopbackServer.h"  // winsock2.h, before windows.h

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <fstream>
#include <sstream>

#include "../Ed25519TestSigner.h"
#include "../TestUpdateKey.h"
#include "DriverSupport.h"
#include "Seeding.h"
#include "crypto/Sha256.h"
#include "upgrade/Manifest.h"

using namespace e2e;

namespace {

const char kState[] = "Software\\Microsoft\\RADaz";
[[maybe_unused]] constexpr DWORD kHandOverMs = 90000;  // three starts with 17 seconds of pauses between them
constexpr DWORD kNewerVersionMS = 0x00020063;  // 2.99

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return in ? all.str() : std::string();
}

using e2e::exists;

// The program's file version, major and minor, as its version resource gives them.
DWORD fileVersionMS(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  std::string data(size, '\0');
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!size || !GetFileVersionInfoA(path.c_str(), 0, size, &data[0]) ||
      !VerQueryValueA(&data[0], "\\", reinterpret_cast<void**>(&info), &length) || !info)
    return 0;
  return info->dwFileVersionMS;
}

// The program under test made a newer build: the file version in its version resource
// raised to 2.99, its length kept clear of "404", which the program takes for a missing file.
std::string newerBuild(const std::string& program) {
  const std::string signature("\xBD\x04\xEF\xFE", 4);  // VS_FIXEDFILEINFO's dwSignature
  std::string newer = program;
  const size_t at = newer.find(signature);
  if (at == std::string::npos) return {};
  const DWORD version = kNewerVersionMS;
  newer.replace(at + 8, 4, reinterpret_cast<const char*>(&version), 4);  // dwFileVersionMS
  while (std::to_string(newer.size()).find("404") != std::string::npos) newer += '\0';
  return newer;
}

// The manifest of `program`, naming the key whose public half starts with `keyHex` and
// signed with the seed `seedHex`: the tests' current key unless told.
std::string signedManifest(const std::string& program, int version, const char* seedHex = testkey::kSecretSeedHex,
                           const char* keyHex = testkey::kPublicKeyHex) {
  upgrade::Manifest manifest;
  manifest.keyId = std::string(keyHex, 16);
  manifest.version = version;
  manifest.size = static_cast<uint32_t>(program.size());
  manifest.sha256 = crypto::sha256(program);
  const std::string body = upgrade::manifestBody(manifest);
  uint8_t seed[32], signature[64];
  upgrade::fromHex(seedHex, seed, sizeof seed);
  testkey::ed25519Sign(signature, body, seed);
  return upgrade::manifestText(body, signature);
}

// The visible main window of a program started by another, once there is one.
HWND visibleMainWindow() {
  HWND window = nullptr;
  waitUntil([&] {
    for (HWND hwnd : topLevelWindows(kCaption))
      if (IsWindowVisible(hwnd)) window = hwnd;
    return window != nullptr;
  });
  return window;
}

// Ends the program behind `window` like any other.
void closeProgramOf(HWND window) {
  Program started;
  GetWindowThreadProcessId(window, &started.process.dwProcessId);
  started.process.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, started.process.dwProcessId);
  started.main = window;
  started.close();
}

class Upgrade : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = programPath();
    folder_ = exe_.substr(0, exe_.find_last_of('\\') + 1);
    original_ = readAll(exe_);
    ASSERT_FALSE(original_.empty()) << exe_;
    ASSERT_TRUE(net_.socket) << "no winsock";
    server_ = std::make_unique<testnet::LoopbackServer>(net_);
    setString(HKEY_CURRENT_USER, "Software\\Quellery", "WebServer", server_->address());
    setString(HKEY_CURRENT_USER, "Software\\Quellery", "ProbeSite", server_->address());
    setString(HKEY_LOCAL_MACHINE, kState, "ver", "1");
    SHDeleteValueA(HKEY_LOCAL_MACHINE, kState, "Up");
    for (const char* name : {"donreq", "oldver", "sha256"}) SHDeleteValueA(HKEY_LOCAL_MACHINE, kState, name);
    // The upgrade page opened afterwards must not reach a browser of the host.
    setString(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", "no-browser-in-tests");
  }
  void TearDown() override {
    // The next case drives the program as it was built.
    if (readAll(exe_) != original_) {
      std::ofstream out(exe_, std::ios::binary | std::ios::trunc);
      out << original_;
    }
    for (const char* name : {"qy.exe", "qy-aside.exe", "Quellery.new", "Quellery.old"})
      DeleteFileA((folder_ + name).c_str());
  }
  void publish(const std::string& program, const std::string& manifest) {
    server_->serve("/qy.txt", "2");
    server_->serve("/qypdate.exe", program);
    server_->serve("/qypdate.exe.sig", manifest);
  }
  void clickUpgradeNow(Program& program) {
    // Posted: the click's handler fetches while it pumps messages, and may end the program.
    PostMessageA(program.control("cmdUpgrade"), BM_CLICK, 0, 0);
  }
  void expectHandOver(const std::string& newer, const std::string& manifest);
  // The page says in red that the upgrade could not be verified; nothing was kept, started
  // or changed.
  void expectRefusedOnThePage(Program& program) {
    std::vector<std::string> lines;
    EXPECT_TRUE(waitUntil([&] {
      return listLines(program.control("lstUpgrade"), &lines) && !lines.empty() &&
             lines.back() == " Quellery Upgrade could not be verified ";
    })) << listing(lines);
    // Room for a hand-over that must not come.
    EXPECT_FALSE(waitUntil([&] { return exists(folder_ + "qy.exe") || !program.running(); }, 3000));
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindowEnabled(program.control("cmdChkUpgrade")));
    EXPECT_FALSE(exists(folder_ + "qy.exe"));
    EXPECT_TRUE(readAll(exe_) == original_) << "Quellery.exe was changed";
    EXPECT_EQ("(missing)", readString(HKEY_LOCAL_MACHINE, kState, "Up"));
    EXPECT_EQ("1", readString(HKEY_LOCAL_MACHINE, kState, "ver"));
    EXPECT_EQ(1u, topLevelWindows(kCaption).size());
  }

  std::string exe_, folder_, original_;
  testnet::Sockets net_;
  std::unique_ptr<testnet::LoopbackServer> server_;
};

}  // namespace

// The whole hand-over of a newer build published with `manifest`: the old program ends,
// the copy installs itself, the new program thanks once.
void Upgrade::expectHandOver(const std::string& newer, const std::string& manifest) {
  ASSERT_NE(kNewerVersionMS, fileVersionMS(exe_));
  publish(newer, manifest);

  Program old;
  ASSERT_TRUE(old.start(exe_));
  clickUpgradeNow(old);
  // a -> b: the old program ends once "qy.exe" is written and started.
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(old.process.hProcess, kDeadlineMs)) << "the old program still runs";

  // b -> c -> a: the copy installs itself, the new program thanks once.
  HWND notice = nullptr;
  EXPECT_TRUE(waitUntil([&] { return (notice = FindWindowA("#32770", "Quellery")) != nullptr; }, kHandOverMs))
      << "no thank-you notice; Up is " << readString(HKEY_LOCAL_MACHINE, kState, "Up");
  if (notice) {
    char text[256] = {};
    GetDlgItemTextA(notice, 0xFFFF, text, sizeof text);
    EXPECT_EQ(std::string("Quellery Upgraded. Thank you"), text);
    PostMessageA(notice, WM_COMMAND, IDOK, 0);
  }
  HWND window = visibleMainWindow();
  EXPECT_TRUE(window);

  EXPECT_EQ(kNewerVersionMS, fileVersionMS(exe_)) << "Quellery.exe is not the newer build";
  EXPECT_TRUE(readAll(exe_) == newer);
  EXPECT_FALSE(exists(folder_ + "qy.exe"));
  EXPECT_FALSE(exists(folder_ + "Quellery.new"));
  EXPECT_EQ("a", readString(HKEY_LOCAL_MACHINE, kState, "Up"));
  EXPECT_EQ("(missing)", readString(HKEY_LOCAL_MACHINE, kState, "donreq"));
  EXPECT_EQ("2", readString(HKEY_LOCAL_MACHINE, kState, "ver"));
  EXPECT_EQ(nullptr, FindWindowA("#32770", "Quellery")) << "the notice came twice";
  if (window) closeProgramOf(window);
}

TEST_F(Upgrade, TheProgramIsReplacedByTheVerifiedNewerBuildAcrossThreeStarts) {
#ifndef QUELLERY_TEST_UPDATE_KEY
  GTEST_SKIP() << "this build trusts only the maker's upgrade key";
#else
  const std::string newer = newerBuild(original_);
  ASSERT_FALSE(newer.empty()) << "no version resource in " << exe_;
  expectHandOver(newer, signedManifest(newer, 2));
#endif
}

TEST_F(Upgrade, AnUpgradeSignedByTheNextKeyInstalls) {
#ifndef QUELLERY_TEST_UPDATE_KEY
  GTEST_SKIP() << "this build trusts only the maker's upgrade key";
#else
  const std::string newer = newerBuild(original_);
  ASSERT_FALSE(newer.empty()) << "no version resource in " << exe_;
  expectHandOver(newer, signedManifest(newer, 2, testkey::kNextSecretSeedHex, testkey::kNextPublicKeyHex));
#endif
}

TEST_F(Upgrade, ACopyRewrittenAfterItsCheckIsNeitherInstalledNorStarted) {
#ifndef QUELLERY_TEST_UPDATE_KEY
  GTEST_SKIP() << "this build trusts only the maker's upgrade key";
#else
  const std::string newer = newerBuild(original_);
  ASSERT_FALSE(newer.empty()) << "no version resource in " << exe_;
  publish(newer, signedManifest(newer, 2));
  Program old;
  ASSERT_TRUE(old.start(exe_));
  clickUpgradeNow(old);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(old.process.hProcess, kDeadlineMs)) << "the old program still runs";

  // The copy runs and waits before it installs itself; meanwhile another program puts
  // other bytes under its name, in place or by moving the running file aside.
  const std::string copy = folder_ + "qy.exe", other(newer.size(), 'E');
  auto rewrite = [&] {
    HANDLE file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (!MoveFileA(copy.c_str(), (folder_ + "qy-aside.exe").c_str())) return false;
      file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, other.data(), DWORD(other.size()), &written, nullptr) && written == other.size();
    CloseHandle(file);
    return ok;
  };
  ASSERT_TRUE(waitUntil(rewrite, 3000)) << "qy.exe could not be rewritten: " << GetLastError();

  // The old program is started again, and the hand-over is over.
  EXPECT_TRUE(waitUntil([&] { return readString(HKEY_LOCAL_MACHINE, kState, "Up") == "a"; }, kHandOverMs))
      << "Up is " << readString(HKEY_LOCAL_MACHINE, kState, "Up");
  HWND window = visibleMainWindow();
  EXPECT_TRUE(window) << "the old program did not start again";
  EXPECT_TRUE(readAll(exe_) == original_) << "Quellery.exe was changed";
  EXPECT_TRUE(readAll(copy) == other);
  EXPECT_FALSE(exists(folder_ + "Quellery.new"));
  EXPECT_EQ("1", readString(HKEY_LOCAL_MACHINE, kState, "ver"));
  EXPECT_EQ(nullptr, FindWindowA("#32770", "Quellery")) << "an upgrade was announced";
  if (window) closeProgramOf(window);
#endif
}

TEST_F(Upgrade, AManifestSignedByAnUnknownKeyIsRefusedWithThePagesMessage) {
  const std::string newer = newerBuild(original_);
  ASSERT_FALSE(newer.empty());
  // A key pair no build lists: the manifest names it by its own id.
  const char unknownSeed[] = "0101010101010101010101010101010101010101010101010101010101010101";
  const char unknownKey[] = "8a88e3dd7409f195fd52db2d3cba5d72ca6709bf1d94121bf3748801b40f6f5c";
  publish(newer, signedManifest(newer, 2, unknownSeed, unknownKey));
  Program program;
  ASSERT_TRUE(program.start(exe_));
  clickUpgradeNow(program);
  expectRefusedOnThePage(program);
  EXPECT_EQ(1u, server_->gets("/qypdate.exe.sig"));
  EXPECT_EQ(0u, server_->gets("/qypdate.exe"));
  program.close();
}

TEST_F(Upgrade, OneFlippedByteKeepsTheOldProgramAndStartsNothing) {
  const std::string newer = newerBuild(original_);
  ASSERT_FALSE(newer.empty());
  std::string flipped = newer;
  flipped[flipped.size() / 2] ^= 0x01;
  publish(flipped, signedManifest(newer, 2));

  Program program;
  ASSERT_TRUE(program.start(exe_));
  clickUpgradeNow(program);
  expectRefusedOnThePage(program);
  // One manifest, one program: what does not match its signature is not fetched again.
  EXPECT_EQ(1u, server_->gets("/qypdate.exe.sig"));
  EXPECT_EQ(1u, server_->gets("/qypdate.exe"));
  program.close();
}

TEST_F(Upgrade, NoNewerVersionIsSaidInRedOnTheUpgradePage) {
  server_->serve("/qy.txt", "1");
  Program program;
  ASSERT_TRUE(program.start(exe_));
  HWND tree = program.control("tvw1");
  auto nodes = program.nodes(tree);
  ASSERT_TRUE(nodes.count("Upgrade"));
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes["Upgrade"]));
  // "Check Upgrade" lies over "Upgrade Now" until it is clicked.
  SendMessageA(program.control("cmdChkUpgrade"), BM_CLICK, 0, 0);
  clickUpgradeNow(program);
  const std::vector<std::string> expected = {"Quellery is checking for Upgrade...", " ",
                                             " Currently no upgrade is available "};
  std::vector<std::string> lines;
  const bool shown = waitUntil([&] { return listLines(program.control("lstUpgrade"), &lines) && lines == expected; });
  EXPECT_TRUE(shown) << listing(lines);
  EXPECT_TRUE(IsWindowEnabled(program.control("cmdChkUpgrade")));
  program.settle();
  const std::string pictures = screenshotDir(exe_);
  CreateDirectoryA(pictures.c_str(), nullptr);
  screenshot(program.main, pictures + "\\upgrade-none.bmp");
  EXPECT_EQ("1", readString(HKEY_LOCAL_MACHINE, kState, "ver"));
  program.close();
}
