// The upgrade page, its download checks and the three-start hand-over, on a simulated
// machine whose web server is a scripted transfer object.
#include <gtest/gtest.h>
#include <sodium.h>

#include "../TestUpdateKey.h"
#include "SignUpdate.h"
#include "TestApp.h"
#include "platform/WinError.h"
#include "program/Startup.h"
#include "upgrade/Manifest.h"
#include "upgrade/Upgrade.h"

using namespace platform;

namespace {

const char kKey[] = "Software\\Microsoft\\RADaz";
const char kServer[] = "http://updates.test";
const char kFolder[] = "C:\\Program Files\\Quellery\\";
constexpr uint32_t kRed = 0x0000FF;

std::string okHeaders(size_t length) {
  return "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(length) +
         "\r\n";
}

// The program, its folder and its hand-over values.
struct UpgradeApp : TestApp {
  std::string state(const std::string& name) { return machine.registry.getString(hkey::LocalMachine, kKey, name); }
  bool hasState(const std::string& name) { return machine.registry.exists(hkey::LocalMachine, kKey, name); }
  std::string file(const std::string& name) {
    std::string data;
    return machine.files.readFile(kFolder + name, &data) == 0 ? data : "<missing>";
  }
  // Starts the program; true when it ended itself.
  bool start() {
    try {
      program::Form_Load(app);
    } catch (const ProgramEnded&) {
      return true;
    }
    return false;
  }
};

class Upgrade : public ::testing::Test, protected UpgradeApp {
 protected:
  Upgrade() {
    EXPECT_GE(sodium_init(), 0);
    machine.http.online = true;
    machine.registry.setString(hkey::CurrentUser, "Software\\Quellery", "WebServer", "updates.test");
    machine.files.createDirectory("C:\\Program Files");
    machine.files.createDirectory("C:\\Program Files\\Quellery");
    machine.files.writeFile(std::string(kFolder) + "Quellery.exe", "the program as installed");
    uint8_t seed[32];
    upgrade::fromHex(testkey::kSecretSeedHex, seed, 32);
    crypto_sign_seed_keypair(publicKey_, secretKey_, seed);
    upgrade::fromHex(testkey::kNextSecretSeedHex, seed, 32);
    crypto_sign_seed_keypair(nextPublicKey_, nextSecretKey_, seed);
  }

  void serve(const std::string& path, const std::string& body, const std::string& headers) {
    machine.http.answers[kServer + path] = {headers, body, false};
  }
  void serve(const std::string& path, const std::string& body) { serve(path, body, okHeaders(body.size())); }

  // A manifest for `program`, as tools/sign-update makes it, naming the key `keyId` (the
  // tests' current key unless told; none: the first form) and signed with `secretKey`.
  std::string manifest(const std::string& program, int version, const unsigned char* secretKey = nullptr,
                       const std::string& keyId = std::string(testkey::kPublicKeyHex, 16)) {
    return signupdate::signedManifest(keyId, version, program, secretKey ? secretKey : secretKey_);
  }

  // The server offers `version` with this program and manifest.
  void publish(int version, const std::string& program, const std::string& signedManifest) {
    serve("/qy.txt", std::to_string(version) + "\r\n");
    serve("/qypdate.exe", program);
    serve("/qypdate.exe.sig", signedManifest);
  }

  void setInstalled(const std::string& version) { machine.registry.setString(hkey::LocalMachine, kKey, "ver", version); }

  // "Upgrade Now"; true when the program ended itself to hand over.
  bool clickUpgradeNow() {
    try {
      app.frm.upgrade.cmdUpgrade.click();
    } catch (const ProgramEnded&) {
      return true;
    }
    return false;
  }
  std::vector<std::string> pageLines() const {
    std::vector<std::string> out;
    const ui::ListBox& list = app.frm.upgrade.lstUpgrade;
    for (int i = 0; i < list.listCount(); ++i) out.push_back(list.list(i));
    return out;
  }
  size_t fetches(const std::string& path) {
    size_t n = 0;
    for (const std::string& url : machine.http.requests) n += url == kServer + path;
    return n;
  }

  // Every way a download may fail its checks ends the same: nothing kept, nothing started.
  void expectRefused(const char* what) {
    EXPECT_FALSE(clickUpgradeNow()) << what;
    EXPECT_EQ("<missing>", file("qy.exe")) << what;
    EXPECT_TRUE(machine.programFiles.started.empty()) << what;
    EXPECT_EQ("", state("Up")) << what;
    EXPECT_EQ("the program as installed", file("Quellery.exe")) << what;
  }

  unsigned char publicKey_[32], secretKey_[64], nextPublicKey_[32], nextSecretKey_[64];
  const std::string newer_ = std::string(4096, 'N') + "a newer build";
};

std::string toHexDigest(const std::string& program) {
  return upgrade::toHex(crypto::sha256(program).data(), 32);
}

// The second start of a hand-over: the copy "qy.exe", downloaded and checked as `program`
// by the first, which stored its SHA-256 and the version installed before, 3.
struct HandOverCopy : UpgradeApp {
  explicit HandOverCopy(const std::string& program) {
    machine.system.programFileName = "qy.exe";
    machine.system.programDir = "C:\\Program Files\\Quellery";
    machine.files.makeFolders("C:\\Program Files\\Quellery");
    machine.files.writeFile(std::string(kFolder) + "Quellery.exe", "the program as installed");
    machine.files.writeFile(std::string(kFolder) + "qy.exe", program);
    for (const auto& [name, value] : {std::pair<const char*, std::string>{"Up", "b"},
                                      {"donreq", "z"},
                                      {"ver", "4"},
                                      {"oldver", "3"},
                                      {"sha256", toHexDigest(program)}})
      machine.registry.setString(hkey::LocalMachine, kKey, name, value);
  }
};

TEST_F(Upgrade, NewerVersionIsDownloadedVerifiedAndStarted) {
  setInstalled("3");
  publish(4, newer_, manifest(newer_, 4));
  EXPECT_TRUE(clickUpgradeNow());
  EXPECT_EQ(pageLines(), (std::vector<std::string>{"Quellery is checking for Upgrade...", "Quellery Upgrade Available",
                                                    "Quellery is Downloading New Version...",
                                                    "Please Wait Download Time Depending On Your Internet Connection"}));
  EXPECT_EQ(newer_, file("qy.exe"));
  EXPECT_EQ("4", state("ver"));
  EXPECT_EQ("b", state("Up"));
  EXPECT_EQ("z", state("donreq"));
  EXPECT_FALSE(state("App").empty());
  ASSERT_EQ(1u, machine.programFiles.started.size());
  EXPECT_EQ(std::string(kFolder) + "qy.exe", machine.programFiles.started[0].path);
  EXPECT_EQ(2, machine.programFiles.started[0].show);  // minimised, with focus
  EXPECT_FALSE(app.frm.upgrade.cmdChkUpgrade.enabled());
}

TEST_F(Upgrade, OlderOrEqualServerVersionIsNoUpgradeInRed) {
  setInstalled("5");
  publish(4, newer_, manifest(newer_, 4));
  EXPECT_FALSE(clickUpgradeNow());
  EXPECT_EQ(pageLines(), (std::vector<std::string>{"Quellery is checking for Upgrade...", " ",
                                                    " Currently no upgrade is available "}));
  EXPECT_EQ(kRed, app.frm.upgrade.lstUpgrade.foreColor());
  EXPECT_EQ("4", state("ver"));  // the installed number follows the server down
  EXPECT_TRUE(app.frm.upgrade.cmdChkUpgrade.enabled());
  EXPECT_EQ(0u, fetches("/qypdate.exe"));

  EXPECT_FALSE(clickUpgradeNow());  // now equal
  EXPECT_EQ(" Currently no upgrade is available ", pageLines().back());
}

TEST_F(Upgrade, OffLineAsksForAConnection) {
  machine.http.online = false;
  EXPECT_FALSE(clickUpgradeNow());
  EXPECT_EQ(pageLines(), (std::vector<std::string>{"Quellery is checking for Upgrade...", " ",
                                                    " Make sure you are connected to Internet"}));
  EXPECT_EQ(kRed, app.frm.upgrade.lstUpgrade.foreColor());
  EXPECT_TRUE(machine.http.requests.empty());
}

TEST_F(Upgrade, FourOhFourAnywhereInTheHeadersIsAMissingFile) {
  setInstalled("3");
  publish(4, newer_, manifest(newer_, 4));
  serve("/qy.txt", "4", "HTTP/1.1 200 OK\r\nExpires: Wed, 21 Oct 2404 07:28:00 GMT\r\nContent-Length: 1\r\n");
  EXPECT_FALSE(clickUpgradeNow());
  EXPECT_EQ(" Currently no upgrade is available ", pageLines().back());
  EXPECT_EQ("3", state("ver"));
}

TEST(ContentLength, OnlyAPlainNumberCounts) {
  const struct {
    const char* headers;
    int32_t expected;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 5321\r\n", 5321},
      {"HTTP/1.1 200 OK\r\nContent-Length:   77  \r\nServer: x\r\n", 77},
      {"HTTP/1.1 200 OK\r\nContent-Length: 7", 7},
      {"HTTP/1.1 200 OK\r\nServer: x\r\n", 0},                       // missing
      {"HTTP/1.1 200 OK\r\nContent-Length: 12abc\r\n", 0},           // not a number
      {"HTTP/1.1 200 OK\r\nContent-Length: -5\r\n", 0},
      {"HTTP/1.1 200 OK\r\nContent-Length: \r\n", 0},
      {"HTTP/1.1 200 OK\r\nContent-Length: 3000000000\r\n", 0},      // past 32 bits
      {"HTTP/1.1 200 OK\r\nContent-Length: 1404\r\n", 0},            // "404" in the length
      {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, upgrade::contentLength(c.headers)) << c.headers;
}

TEST(VersionNumber, LenientWithinSixteenBitsElseZero) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {{"4", 4},       {" 12\r\n", 12}, {"7 beta", 7}, {"3.9", 3},   {"-2", -2},    {"32767", 32767},
               {"32768", 0},   {"99999", 0},    {"", 0},       {"abc", 0},   {"v5", 0},     {"-32768", -32768}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, upgrade::versionNumber(c.text)) << c.text;
}

TEST_F(Upgrade, ADownloadThatFailsItsChecksIsNeitherKeptNorStarted) {
  setInstalled("3");
  const std::string small(1000, 'S');
  publish(4, small, manifest(small, 4));
  expectRefused("1000 bytes, signed and as announced");

  publish(4, newer_, manifest(std::string(newer_.size(), 'X'), 4));
  expectRefused("right size, other bytes");

  unsigned char otherPublic[32], otherSecret[64];
  crypto_sign_keypair(otherPublic, otherSecret);
  publish(4, newer_, manifest(newer_, 4, otherSecret));
  expectRefused("signed by another key");

  std::string tampered = manifest(newer_, 4);
  tampered[tampered.find("size ") + 5] ^= 1;
  publish(4, newer_, tampered);
  expectRefused("manifest altered after signing");

  publish(4, newer_, manifest(newer_, 4));
  serve("/qypdate.exe", newer_ + "tail", okHeaders(newer_.size()));
  expectRefused("longer than signed");

  publish(4, newer_, manifest(newer_, 4));
  machine.http.answers[std::string(kServer) + "/qypdate.exe.sig"].fails = true;
  expectRefused("no manifest");
}

TEST_F(Upgrade, AManifestThatDoesNotVerifyIsSaidOnceAndNothingIsFetched) {
  setInstalled("3");
  unsigned char otherPublic[32], otherSecret[64];
  crypto_sign_keypair(otherPublic, otherSecret);
  publish(4, newer_, manifest(newer_, 4, otherSecret, upgrade::toHex(otherPublic, 8)));
  expectRefused("signed by a key no build trusts");
  EXPECT_EQ(pageLines(), (std::vector<std::string>{"Quellery is checking for Upgrade...", "Quellery Upgrade Available",
                                                    "Quellery is Downloading New Version...",
                                                    "Please Wait Download Time Depending On Your Internet Connection",
                                                    " ", " Quellery Upgrade could not be verified "}));
  EXPECT_EQ(kRed, app.frm.upgrade.lstUpgrade.foreColor());
  EXPECT_TRUE(app.frm.upgrade.cmdChkUpgrade.enabled());
  EXPECT_EQ(1u, fetches("/qypdate.exe.sig"));
  EXPECT_EQ(0u, fetches("/qypdate.exe"));
}

TEST_F(Upgrade, TheSignedManifestComesFirstAndBoundsTheProgram) {
  setInstalled("3");
  publish(4, newer_, manifest(newer_, 4));
  EXPECT_TRUE(clickUpgradeNow());
  std::vector<std::string> order;
  for (const std::string& url : machine.http.requests)
    if (url.find("/qypdate.exe") != std::string::npos) order.push_back(url.substr(std::string(kServer).size()));
  EXPECT_EQ(order, (std::vector<std::string>{"/qypdate.exe.sig", "/qypdate.exe"}));
}

TEST_F(Upgrade, AProgramLongerThanSignedIsAFailedDownload) {
  setInstalled("3");
  publish(4, newer_, manifest(newer_, 4));
  serve("/qypdate.exe", newer_ + "tail");
  expectRefused("longer than signed");
  // Six attempts, each one fetch of the manifest and one of the program, no more.
  EXPECT_EQ(6u, fetches("/qypdate.exe.sig"));
  EXPECT_EQ(6u, fetches("/qypdate.exe"));
  EXPECT_EQ(" Make sure you are connected to Internet", pageLines().back());
  EXPECT_TRUE(app.frm.upgrade.cmdChkUpgrade.enabled());
}

TEST_F(Upgrade, TheNextKeyIsTrustedByItsIdAndFirstFormManifestsStillRead) {
  const std::string currentId(testkey::kPublicKeyHex, 16), nextId(testkey::kNextPublicKeyHex, 16);
  setInstalled("3");
  publish(4, newer_, manifest(newer_, 4, nextSecretKey_, currentId));
  expectRefused("signed by the next key, naming the current one");
  publish(4, newer_, manifest(newer_, 4, nullptr, "0123456789abcdef"));
  expectRefused("naming a key no build trusts");

  publish(4, newer_, manifest(newer_, 4, nextSecretKey_, nextId));
  EXPECT_TRUE(clickUpgradeNow()) << "signed by the next key";
  EXPECT_EQ(newer_, file("qy.exe"));

  // A manifest of the first form names no key: a trusted one has signed it.
  for (const unsigned char* secret : {secretKey_, nextSecretKey_}) {
    machine.files.deleteFile(std::string(kFolder) + "qy.exe");
    setInstalled("3");
    publish(4, newer_, manifest(newer_, 4, secret, ""));
    EXPECT_NE(std::string::npos, machine.http.answers[std::string(kServer) + "/qypdate.exe.sig"].body.find(
                                     "Quellery upgrade manifest 1\nversion 4\n"));
    EXPECT_TRUE(clickUpgradeNow()) << "first form";
  }
}

TEST(TrustedUpdateKeys, TheTestBuildTrustsTheTestKeysAsCurrentAndNext) {
  const upgrade::TrustedKeys keys = upgrade::trustedUpdateKeys();
  ASSERT_EQ(2u, keys.count);
  EXPECT_STREQ("current", keys.keys[0].role);
  EXPECT_EQ(testkey::kPublicKeyHex, upgrade::toHex(keys.keys[0].key, 32));
  EXPECT_STREQ("next", keys.keys[1].role);
  EXPECT_EQ(testkey::kNextPublicKeyHex, upgrade::toHex(keys.keys[1].key, 32));
  EXPECT_EQ(&keys.keys[1], keys.find(std::string(testkey::kNextPublicKeyHex, 16)));
  EXPECT_EQ(nullptr, keys.find(std::string(testkey::kNextPublicKeyHex, 15)));
}

TEST_F(Upgrade, NoWayBackToAnOlderProgram) {
  // A valid signature over an older version than the one installed.
  setInstalled("3");
  serve("/qy.txt", "4");
  serve("/qypdate.exe", newer_);
  serve("/qypdate.exe.sig", manifest(newer_, 2));
  expectRefused("signed version 2, installed 3");

  // A server that lowered "ver" cannot then bring back a build no newer than this one.
  setInstalled("0");
  publish(1, newer_, manifest(newer_, 1));
  expectRefused("signed version 1, the program's own");
}

TEST_F(Upgrade, AFailedFetchHasNoSizeAndLowersNothing) {
  publish(4, newer_, manifest(newer_, 4));
  EXPECT_EQ(int32_t(newer_.size()), upgrade::GetRemoteFileSize(app.os, std::string(kServer) + "/qypdate.exe"));
  // The headers of the request before are not this request's.
  machine.http.answers[std::string(kServer) + "/qy.txt"].fails = true;
  EXPECT_EQ(0, upgrade::GetRemoteFileSize(app.os, std::string(kServer) + "/qy.txt"));

  setInstalled("5");
  serve("/qy.txt", "4");
  machine.http.requests.clear();
  machine.http.pollsPerRequest = 3;
  // The version file's own fetch breaks off after its size was read: read as no number,
  // it would have lowered "ver" to 0.
  const int tag = 0;
  machine.loop.setTimer(&tag, 1, [&] {
    if (fetches("/qy.txt") == 2) machine.http.answers[std::string(kServer) + "/qy.txt"].fails = true;
  });
  EXPECT_FALSE(clickUpgradeNow());
  EXPECT_EQ(2u, fetches("/qy.txt"));
  EXPECT_EQ("5", state("ver"));
}

TEST_F(Upgrade, ACopyThatDoesNotStartLeavesNothingHandedOver) {
  setInstalled("3");
  publish(4, newer_, manifest(newer_, 4));
  machine.programFiles.startSucceeds = false;
  EXPECT_FALSE(clickUpgradeNow());
  EXPECT_EQ("3", state("ver"));
  EXPECT_EQ("a", state("Up"));
  EXPECT_FALSE(hasState("donreq"));
  EXPECT_FALSE(hasState("sha256"));
}

TEST_F(Upgrade, HandOverAcrossThreeStarts) {
  machine.registry.setString(hkey::LocalMachine, kKey, "Up", "b");
  machine.registry.setString(hkey::LocalMachine, kKey, "donreq", "z");
  machine.files.writeFile(std::string(kFolder) + "qy.exe", newer_);

  // The old program started meanwhile leaves the copy's work to the copy.
  EXPECT_FALSE(start());
  EXPECT_EQ("b", state("Up"));
  EXPECT_EQ("the program as installed", file("Quellery.exe"));
  EXPECT_TRUE(machine.shell.messageBoxes.empty());

  // b: the copy, "qy.exe", installs itself and starts the program's file.
  HandOverCopy copy(newer_);
  const uint32_t began = copy.now();
  EXPECT_THROW(program::Form_Load(copy.app), ProgramEnded);
  EXPECT_GE(copy.now() - began, 12000u);  // three pauses of 4 seconds
  EXPECT_EQ(newer_, copy.file("Quellery.exe"));
  EXPECT_EQ("<missing>", copy.file("Quellery.new"));
  EXPECT_EQ("c", copy.state("Up"));
  ASSERT_EQ(1u, copy.machine.programFiles.started.size());
  EXPECT_EQ(std::string(kFolder) + "Quellery.exe", copy.machine.programFiles.started[0].path);
  EXPECT_TRUE(copy.machine.programFiles.started[0].held);
  EXPECT_FALSE(copy.app.frm.form.visible());

  // c: the new program removes the copy, says thank you once and opens the page.
  machine.registry.setString(hkey::LocalMachine, kKey, "Up", "c");
  machine.registry.setString(hkey::LocalMachine, kKey, "sha256", "00");
  EXPECT_FALSE(start());
  EXPECT_EQ("<missing>", file("qy.exe"));
  EXPECT_EQ("a", state("Up"));
  EXPECT_FALSE(hasState("donreq"));
  EXPECT_FALSE(hasState("sha256"));
  ASSERT_EQ(1u, machine.shell.messageBoxes.size());
  EXPECT_EQ("Quellery Upgraded. Thank you", machine.shell.messageBoxes[0].text);
  EXPECT_EQ("Quellery", machine.shell.messageBoxes[0].title);
  ASSERT_EQ(1u, machine.launcher.requests.size());
  EXPECT_EQ("Open", machine.launcher.requests[0].verb);
  EXPECT_EQ("http://updates.test/upgrade.php", machine.launcher.requests[0].file);
  EXPECT_EQ(app.frm.form.hWnd, machine.launcher.requests[0].owner);
  EXPECT_EQ(1, machine.launcher.requests[0].show);

  // a: the next start shows nothing.
  TestApp next;
  next.machine.registry.setString(hkey::LocalMachine, kKey, "Up", "a");
  program::Form_Load(next.app);
  EXPECT_TRUE(next.machine.shell.messageBoxes.empty());
  EXPECT_TRUE(next.machine.launcher.requests.empty());
}

TEST_F(Upgrade, TheCopyIsHeldFromItsWritingUntilItHasStarted) {
  setInstalled("3");
  publish(4, newer_, manifest(newer_, 4));
  const std::string copy = std::string(kFolder) + "qy.exe";
  long rewrite = -1, removal = -1, rename = -1;
  machine.programFiles.whileStarting = [&](const std::string&) {
    rewrite = machine.files.writeFile(copy, "another program");
    removal = machine.files.deleteFile(copy);
    rename = machine.files.moveFile(copy, std::string(kFolder) + "moved.exe");
  };
  EXPECT_TRUE(clickUpgradeNow());
  EXPECT_EQ(winerr::SharingViolation, rewrite);
  EXPECT_EQ(winerr::SharingViolation, removal);
  EXPECT_EQ(winerr::SharingViolation, rename);
  ASSERT_EQ(1u, machine.programFiles.started.size());
  EXPECT_TRUE(machine.programFiles.started[0].held);
  EXPECT_TRUE(machine.programFiles.started[0].image == newer_);
  EXPECT_EQ(toHexDigest(newer_), state("sha256"));
  // Let go once the new copy runs.
  EXPECT_EQ(winerr::Success, machine.files.writeFile(copy, "after the start"));
}

TEST_F(Upgrade, ACopyRewrittenAfterItsCheckIsNeitherInstalledNorStarted) {
  HandOverCopy copy(newer_);
  copy.machine.files.writeFile(std::string(kFolder) + "qy.exe", std::string(newer_.size(), 'E'));
  EXPECT_TRUE(copy.start());
  EXPECT_EQ("the program as installed", copy.file("Quellery.exe"));
  // The old program is started again, and the hand-over is over.
  ASSERT_EQ(1u, copy.machine.programFiles.started.size());
  EXPECT_EQ(std::string(kFolder) + "Quellery.exe", copy.machine.programFiles.started[0].path);
  EXPECT_EQ("the program as installed", copy.machine.programFiles.started[0].image);
  EXPECT_EQ("a", copy.state("Up"));
  EXPECT_EQ("3", copy.state("ver"));
  EXPECT_FALSE(copy.hasState("donreq"));
  EXPECT_FALSE(copy.hasState("sha256"));
}

TEST_F(Upgrade, AFailedCopyLeavesTheOldProgramInPlace) {
  HandOverCopy copy(newer_);
  copy.machine.files.limitWrites(100);  // a full disk
  EXPECT_FALSE(copy.start());
  EXPECT_EQ("the program as installed", copy.file("Quellery.exe"));
  EXPECT_EQ("<missing>", copy.file("Quellery.new"));
  // The copy runs on as the program; nothing is announced.
  EXPECT_EQ("b", copy.state("Up"));
  EXPECT_TRUE(copy.machine.programFiles.started.empty());
  EXPECT_TRUE(copy.app.frm.form.visible());
}

TEST_F(Upgrade, OnWindows9xTheOldProgramStepsAsideAndComesBackOnFailure) {
  {
    HandOverCopy copy(newer_);
    copy.machine.programFiles.moveFileExWorks = false;
    EXPECT_TRUE(copy.start());
    EXPECT_EQ(newer_, copy.file("Quellery.exe"));
    EXPECT_EQ("<missing>", copy.file("Quellery.old"));
    EXPECT_EQ("<missing>", copy.file("Quellery.new"));
    EXPECT_EQ("c", copy.state("Up"));
  }
  HandOverCopy copy(newer_);
  copy.machine.programFiles.moveFileExWorks = false;
  copy.machine.programFiles.renameFault = [](const std::string& from, const std::string&) {
    return from.find("Quellery.new") != std::string::npos ? winerr::AccessDenied : winerr::Success;
  };
  EXPECT_FALSE(copy.start());
  EXPECT_EQ("the program as installed", copy.file("Quellery.exe"));
  EXPECT_EQ("<missing>", copy.file("Quellery.old"));
  EXPECT_EQ("<missing>", copy.file("Quellery.new"));
  EXPECT_EQ("b", copy.state("Up"));
}

TEST_F(Upgrade, ReadOrCreateRegStringWritesTheDefaultOnce) {
  EXPECT_EQ("", upgrade::ReadOrCreateRegString(app.os, hkey::LocalMachine, "Software\\T", "ver", "1"));
  EXPECT_EQ("1", machine.registry.getString(hkey::LocalMachine, "Software\\T", "ver"));
  machine.registry.set(hkey::LocalMachine, "Software\\T", "ver", regtype::String, {'7', 0, 'x'});
  EXPECT_EQ("7", upgrade::ReadOrCreateRegString(app.os, hkey::LocalMachine, "Software\\T", "ver", "1"));
}

TEST_F(Upgrade, CheckUpgradeBringsUpgradeNowForward) {
  EXPECT_TRUE(app.frm.upgrade.cmdChkUpgrade.inFront());
  app.frm.upgrade.cmdChkUpgrade.click();
  EXPECT_TRUE(app.frm.upgrade.cmdUpgrade.inFront());
  EXPECT_TRUE(machine.http.requests.empty());
}

}  // namespace
