// The line a run closes an item with says what the item left outside its folder walks: a
// bin the shell did not empty, a clipboard another program holds, cache entries, cookies,
// history entries, registry values, keys and settings, named files. An item that did all
// its work still says "Done...".
#include <gtest/gtest.h>

#include "PlanHarness.h"
#include "cookies/CookieKeeper.h"
#include "platform/WinError.h"

namespace {

using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;

// Catalogue places.
enum Item {
  RecycleBin = 0, Clipboard = 5, OpenSave = 8, IECache = 12, IEPasswords = 13, IEHistory = 14, IECookies = 18,
  IEDisable = 19, NSTyped = 20
};

constexpr long kNotImplemented = static_cast<long>(0x80004001);  // E_NOTIMPL: no SHEmptyRecycleBinA
constexpr long kUnspecifiedFailure = static_cast<long>(0x80004005);  // E_FAIL

const std::string kIE = "Software\\Microsoft\\Internet Explorer";
const std::string kOpenSave = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const std::string kCookies = "C:\\Documents and Settings\\User\\Cookies";

class ItemClosingLine : public ::testing::Test, protected PlanCheck {
 protected:
  // The line the run closes the one ticked item with.
  std::string closingLineOf(int position) {
    tickOnly(position);
    app.frm.lstClean.clear();
    run();
    const std::vector<std::string> shown = lines();
    return shown.size() == 3 ? shown[1] : "<" + std::to_string(shown.size()) + " lines>";
  }
  void put(const std::string& path, const std::string& data, uint32_t attributes = 0) {
    machine.files.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(0, machine.files.writeFile(path, data)) << path;
    if (attributes) machine.files.setAttributes(path, attributes);
  }
};

TEST_F(ItemClosingLine, ARecycleBinTheShellDidNotEmptyIsSaid) {
  machine.shell.recycleBins = {{"C:\\", 3}};
  EXPECT_EQ("Done...", closingLineOf(RecycleBin));

  // The first shell of Windows 95 and NT 4 can neither tell what a bin holds nor empty it.
  machine.shell.recycleBins = {{"C:\\", 3}};
  machine.shell.recycleBinsTold = false;
  machine.shell.recycleResult = kNotImplemented;
  EXPECT_EQ("Done, but left 1: Recycle Bin not emptied", closingLineOf(RecycleBin));

  machine.shell.recycleBinsTold = true;
  machine.shell.recycleBins = {{"C:\\", 3}, {"D:\\", 1}};
  machine.shell.recycleResult = kUnspecifiedFailure;
  EXPECT_EQ("Done, but left 2: 2 Recycle Bins not emptied", closingLineOf(RecycleBin));
}

TEST_F(ItemClosingLine, AClipboardAnotherProgramHoldsIsSaid) {
  machine.shell.clipboardText = "secret";
  EXPECT_EQ("Done...", closingLineOf(Clipboard));

  machine.shell.clipboardText = "secret";
  machine.shell.clipboardHeldElsewhere = true;
  EXPECT_EQ("Done, but left 1: clipboard in use", closingLineOf(Clipboard));
}

TEST_F(ItemClosingLine, CacheEntriesCookiesAndHistoryEntriesThatStayAreCounted) {
  const std::string tif = "C:\\Documents and Settings\\User\\Local Settings\\Temporary Internet Files\\Content.IE5";
  for (const char* page : {"a", "b", "c"})
    machine.urlCache.add(std::string("http://news.example/") + page, tif + "\\AB12CD34\\" + page + "[1].htm",
                         platform::cacheentry::Normal, 100);
  EXPECT_EQ("Done...", closingLineOf(IECache));

  for (const char* page : {"a", "b", "c"})
    machine.urlCache.add(std::string("http://news.example/") + page, tif + "\\AB12CD34\\" + page + "[1].htm",
                         platform::cacheentry::Normal, 100);
  machine.urlCache.undeletable = {"http://news.example/b", "http://news.example/c"};
  EXPECT_EQ("Done, but left 2: 2 cache entries", closingLineOf(IECache));

  machine.urlCache.addCookie("user@news.example", kCookies, 120);
  EXPECT_EQ("Done...", closingLineOf(IECookies));

  machine.urlCache.addCookie("user@news.example", kCookies, 120);
  machine.urlCache.addCookie("user@shop.example", kCookies, 300);
  machine.urlCache.undeletable = {"Cookie:user@shop.example/"};
  cookies::cmdGetCache_Click(app.run(), app.frm.cookies);  // the viewer's list, read after the last run, is read again
  EXPECT_EQ("Done, but left 1: 1 cookie", closingLineOf(IECookies));

  machine.urlHistory.add("http://news.example/", "News");
  EXPECT_EQ("Done...", closingLineOf(IEHistory));

  // A store that keeps its entries through the clear (Wine's does).
  machine.urlHistory.add("http://news.example/", "News");
  machine.urlHistory.add("http://shop.example/", "Shop");
  machine.urlHistory.clearResult = platform::hresult::Fail;
  EXPECT_EQ("Done, but left 2: 2 history entries", closingLineOf(IEHistory));
}

TEST_F(ItemClosingLine, RegistryValuesKeysAndSettingsThatStayAreCounted) {
  machine.registry.setString(CurrentUser, kOpenSave, "a", "x.txt");
  machine.registry.setString(CurrentUser, kOpenSave, "MRUList", "a");
  EXPECT_EQ("Done...", closingLineOf(OpenSave));

  // The value stays, and the list's key with it.
  machine.registry.setString(CurrentUser, kOpenSave, "a", "x.txt");
  machine.registry.setString(CurrentUser, kOpenSave, "b", "y.txt");
  machine.registry.setString(CurrentUser, kOpenSave, "MRUList", "ab");
  machine.registry.makeUndeletable(CurrentUser, kOpenSave, "b");
  EXPECT_EQ("Done, but left 2: 1 registry key, 1 registry value", closingLineOf(OpenSave));

  machine.registry.setString(CurrentUser, kIE + "\\IntelliForms\\SPW", "site", "secret");
  EXPECT_EQ("Done...", closingLineOf(IEPasswords));

  machine.registry.setString(CurrentUser, kIE + "\\IntelliForms\\SPW", "site", "secret");
  machine.registry.makeUndeletable(CurrentUser, kIE + "\\IntelliForms\\SPW", "site");
  EXPECT_EQ("Done, but left 1: 1 registry key", closingLineOf(IEPasswords));

  // The saved passwords' key stays, and one switch cannot be written: its key cannot be made.
  machine.registry.makeUncreatable(CurrentUser, kIE + "\\Main");
  EXPECT_EQ("Done, but left 2: 1 registry key, 1 setting not changed", closingLineOf(IEDisable));
}

TEST_F(ItemClosingLine, ANamedFileThatStaysIsCounted) {
  // Communicator's folder, named by the machine-wide registry, on 98 where users are not kept apart.
  machine.system.version.platformId = platform::osplatform::Windows9x;
  const std::string communicator = "C:\\Program Files\\Netscape\\Users\\default";
  machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users", "CurrentUser", "default");
  machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users\\default", "DirRoot",
                             communicator);
  put(communicator + "\\FieldSchema.tbl", "schema");
  EXPECT_EQ("Done...", closingLineOf(NSTyped));

  put(communicator + "\\FieldSchema.tbl", "schema", platform::fileattr::ReadOnly);
  put(communicator + "\\SchemaValue.tbl", "values", platform::fileattr::ReadOnly);
  EXPECT_EQ("Done, but left 2: 2 files", closingLineOf(NSTyped));
}

}  // namespace
