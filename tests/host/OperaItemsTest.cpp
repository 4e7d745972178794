#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestApp.h"
#include "engine/Catalogue.h"
#include "engine/Executor.h"

namespace {

using platform::hkey::LocalMachine;

const std::string kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe";
const std::string kInstall = "C:\\Program Files\\Opera";
const std::string kProfile = "C:\\Documents and Settings\\User\\Application Data\\Opera\\OPERA7\\profile";

// The catalogue's places of the three Opera items.
enum Item { TypedUrl = 26, Cache, Cookies };

class OperaItems : public ::testing::Test, protected TestApp {
 protected:
  // The old Opera's install folder, which the machine-wide registry names, as on 98, where
  // users are not kept apart; on the NT family see MachineWideFolders.
  OperaItems() { machine.system.version.platformId = platform::osplatform::Windows9x; }
  void put(const std::string& path, uint32_t attributes = 0) {
    machine.files.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(machine.files.writeFile(path, "data"), 0) << path;
    if (attributes) machine.files.setAttributes(path, attributes);
  }
  bool there(const std::string& path) { return machine.files.getAttributes(path) != platform::fileattr::Invalid; }
  void installed() { machine.registry.setString(LocalMachine, kAppPaths, "Path", kInstall); }
  // The item's actions, as the cleaning run carries them out.
  void run(int item) { engine::executeItem(engine::catalogue().at(item), app.run(), engine::Mode::Clean); }
};

TEST_F(OperaItems, Opera7TypedAddressesAndCookiesGoFromTheProfile) {
  for (const char* name : {"global.dat", "opera.dir", "cookies4.dat", "opera6.ini", "opera.adr", "global.dat.old"})
    put(kProfile + "\\" + name);
  run(TypedUrl);
  EXPECT_FALSE(there(kProfile + "\\global.dat"));
  EXPECT_FALSE(there(kProfile + "\\opera.dir"));
  EXPECT_TRUE(there(kProfile + "\\cookies4.dat"));
  run(Cookies);
  EXPECT_FALSE(there(kProfile + "\\cookies4.dat"));
  for (const char* name : {"opera6.ini", "opera.adr", "global.dat.old"}) EXPECT_TRUE(there(kProfile + "\\" + name)) << name;
}

TEST_F(OperaItems, ACacheLosesItsOwnPlainFilesOnly) {
  installed();
  for (const std::string& cache : {kInstall + "\\Cache", kProfile + "\\cache4"}) {
    for (int i = 0; i < 300; ++i) put(cache + "\\opr" + std::to_string(i) + ".tmp");
    put(cache + "\\sub\\inner.tmp");
    put(cache + "\\hidden.tmp", platform::fileattr::Hidden);
    put(cache + "\\system.tmp", platform::fileattr::System);
  }
  put(kInstall + "\\opera.exe");
  put(kInstall + "\\cookies.dat");
  run(Cache);
  for (const std::string& cache : {kInstall + "\\Cache", kProfile + "\\cache4"}) {
    int left = 0;
    for (int i = 0; i < 300; ++i) left += there(cache + "\\opr" + std::to_string(i) + ".tmp");
    EXPECT_EQ(left, 0) << cache;
    EXPECT_TRUE(there(cache)) << cache;
    EXPECT_TRUE(there(cache + "\\sub\\inner.tmp")) << cache;
    EXPECT_TRUE(there(cache + "\\hidden.tmp")) << cache;
    EXPECT_TRUE(there(cache + "\\system.tmp")) << cache;
  }
  EXPECT_TRUE(there(kInstall + "\\opera.exe"));
  EXPECT_TRUE(there(kInstall + "\\cookies.dat"));
}

TEST_F(OperaItems, WithoutAnInstallationCacheOnlyTheProfileCacheIsEmptied) {
  installed();
  machine.files.makeFolders(kInstall);
  put(kProfile + "\\cache4\\a.tmp");
  run(Cache);
  EXPECT_FALSE(there(kProfile + "\\cache4\\a.tmp"));
  EXPECT_FALSE(there(kInstall + "\\Cache"));
}

TEST_F(OperaItems, HiddenOrSystemCookieFilesAreNotFoundAndStay) {
  installed();
  put(kProfile + "\\cookies4.dat", platform::fileattr::Hidden);
  put(kInstall + "\\cookies.dat", platform::fileattr::System);
  run(Cookies);
  EXPECT_TRUE(there(kProfile + "\\cookies4.dat"));
  EXPECT_TRUE(there(kInstall + "\\cookies.dat"));
  machine.files.setAttributes(kInstall + "\\cookies.dat", 0);
  run(Cookies);
  EXPECT_FALSE(there(kInstall + "\\cookies.dat"));
}

TEST_F(OperaItems, WithoutAnInstallationFolderTheDriveRootIsLeftAlone) {
  put("C:\\cookies.dat");
  put("C:\\Cache\\page.tmp");
  run(Cache);
  run(Cookies);
  machine.registry.setString(LocalMachine, kAppPaths, "Path", "");
  run(Cache);
  run(Cookies);
  EXPECT_TRUE(there("C:\\cookies.dat"));
  EXPECT_TRUE(there("C:\\Cache\\page.tmp"));

  // Nor when the application-data folder is unknown.
  machine.shell.specialFolders.erase(26);
  put("C:\\Opera\\OPERA7\\profile\\cookies4.dat");
  run(Cookies);
  EXPECT_TRUE(there("C:\\Opera\\OPERA7\\profile\\cookies4.dat"));
}

TEST_F(OperaItems, ACacheThatIsALinkIsLeftAlone) {
  installed();
  put("C:\\elsewhere\\precious.doc");
  machine.files.makeFolders(kInstall);
  ASSERT_EQ(machine.files.makeLink(kInstall + "\\Cache", machine.files.hostPath("C:\\elsewhere")), 0);
  run(Cache);
  EXPECT_TRUE(there("C:\\elsewhere\\precious.doc"));
}

}  // namespace

// On the NT family the install folder is every user's: the profile's files go, its own stay.
TEST_F(OperaItems, OnNTTheInstallFolderTheMachineWideRegistryNamesIsLeftAlone) {
  machine.system.version.platformId = platform::osplatform::WindowsNT;
  installed();
  put(kInstall + "\\cookies.dat");
  put(kInstall + "\\Cache\\page.tmp");
  put(kProfile + "\\cookies4.dat");
  run(Cookies);
  run(Cache);
  EXPECT_TRUE(there(kInstall + "\\cookies.dat"));
  EXPECT_TRUE(there(kInstall + "\\Cache\\page.tmp"));
  EXPECT_FALSE(there(kProfile + "\\cookies4.dat"));
}
