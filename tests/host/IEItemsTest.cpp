#include <gtest/gtest.h>

#include "TestApp.h"
#include "clean/IEItems.h"
#include "platform/WinError.h"
#include "platform/sim/SimHttp.h"

using namespace platform;

namespace {

const std::string kTif = "C:\\Documents and Settings\\User\\Local Settings\\Temporary Internet Files";
const std::string kCookies = "C:\\Documents and Settings\\User\\Cookies";
const std::string kHistory = "C:\\Documents and Settings\\User\\Local Settings\\History";

class IEItems : public ::testing::Test, protected TestApp {
 protected:
  IEItems() {
    machine.platform().http = &http;  // reports are seen as the requests they make
    machine.registry.setString(hkey::CurrentUser, "Software\\Quellery", "WebServer", "127.0.0.1:8080");
    machine.registry.setString(hkey::CurrentUser, "Software\\Quellery", "ProbeSite", "127.0.0.1:8081");
  }
  void file(const std::string& path, const std::string& data = "x") {
    machine.files.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(0, machine.files.writeFile(path, data));
  }
  bool exists(const std::string& path) { return machine.files.getAttributes(path) != fileattr::Invalid; }
  std::string read(const std::string& path) {
    std::string data;
    return machine.files.readFile(path, &data) == 0 ? data : "<missing>";
  }
  bool reported(const std::string& text) {
    for (const std::string& r : http.requests)
      if (r.find(text) != std::string::npos) return true;
    return false;
  }
  sim::SimHttp http;
};

}  // namespace

TEST_F(IEItems, ClearIECacheEmptiesTheFourCacheFoldersAndKeepsTheIndex) {
  const std::string content = kTif + "\\Content.IE5";
  for (const char* sub : {"AB12CD34", "EF56GH78", "IJ90KL12", "MN34OP56"}) {
    file(content + "\\" + sub + "\\page[1].htm");
    file(content + "\\" + sub + "\\setup[1].exe");
    file(content + "\\" + sub + "\\noextension");
  }
  machine.files.setAttributes(content + "\\AB12CD34\\page[1].htm", fileattr::ReadOnly);
  machine.files.setAttributes(content + "\\EF56GH78", fileattr::ReadOnly | fileattr::System);
  file(content + "\\index.dat", "INDEX");
  file(kTif + "\\desktop.ini", "keep");
  clean::ClearIECache(app.run());
  for (const char* sub : {"AB12CD34", "EF56GH78", "IJ90KL12", "MN34OP56"}) EXPECT_FALSE(exists(content + "\\" + sub)) << sub;
  EXPECT_EQ("INDEX", read(content + "\\index.dat"));
  EXPECT_EQ("keep", read(kTif + "\\desktop.ini"));
}

TEST_F(IEItems, ClearIECacheNeverReachesThroughALinkInTheCache) {
  const std::string content = kTif + "\\Content.IE5";
  file(content + "\\AB12CD34\\page[1].htm");
  file("C:\\Precious\\letter.doc", "mine");
  ASSERT_EQ(0, machine.files.makeLink(content + "\\LINKED01", machine.files.hostPath("C:\\Precious")));
  clean::ClearIECache(app.run());
  EXPECT_FALSE(exists(content + "\\AB12CD34"));
  EXPECT_EQ("mine", read("C:\\Precious\\letter.doc"));
}

TEST_F(IEItems, ClearIECacheWithoutACacheFolderTouchesNothing) {
  file("C:\\Content.IE5\\AB12CD34\\a.htm");  // what an empty folder path would point at
  machine.shell.specialFolders.erase(32);
  clean::ClearIECache(app.run());
  EXPECT_TRUE(exists("C:\\Content.IE5\\AB12CD34\\a.htm"));
  machine.shell.specialFolders[32] = kTif;  // no Content.IE5 below it
  clean::ClearIECache(app.run());
  EXPECT_TRUE(exists("C:\\Content.IE5\\AB12CD34\\a.htm"));
}

TEST_F(IEItems, CleanTempFilesRemovesOnlyEntriesFiledInTemporaryInternetFiles) {
  auto& cache = machine.urlCache;
  cache.add("http://a.example/x.gif", kTif + "\\Content.IE5\\AB12CD34\\x[1].gif", cacheentry::Normal);
  cache.addCookie("user@a.example", kCookies);
  cache.add("Visited: user@http://a.example/", "", cacheentry::UrlHistory);
  cache.add("http://b.example/", kTif + "\\Content.IE5\\AB12CD34\\b[1].htm", cacheentry::Sticky);  // no normal bit
  cache.add("http://c.example/y.css", kTif + "\\Content.IE5\\EF56GH78\\y[1].css", cacheentry::Normal);
  cache.undeletable.push_back("http://a.example/x.gif");
  clean::CleanTempFiles(app.run());
  EXPECT_EQ((std::vector<std::string>{"http://a.example/x.gif", "Cookie:user@a.example/", "Visited: user@http://a.example/",
                                      "http://b.example/"}),
            cache.urls());
  EXPECT_EQ(0, cache.openFinds);
  machine.urlCache = platform::sim::SimUrlCache();  // an empty cache: nothing opened, nothing left open
  clean::CleanTempFiles(app.run());
  EXPECT_EQ(0, machine.urlCache.openFinds);
  EXPECT_EQ(0, machine.urlCache.deleteCalls);
}

TEST_F(IEItems, ClearIEHistoryEmptiesTheStoreUnlessAborted) {
  machine.urlHistory.add("http://a.example/", "A");
  app.flags.abort = true;
  clean::ClearIEHistory(app.run());
  EXPECT_EQ(1u, machine.urlHistory.entries.size());
  app.flags.abort = false;
  clean::ClearIEHistory(app.run());
  EXPECT_TRUE(machine.urlHistory.entries.empty());
  EXPECT_EQ(0, machine.urlHistory.liveStores);
  EXPECT_TRUE(machine.urlHistory.outstanding.empty());
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(IEItems, ClearIEHistoryReportsAStoreThatCannotEnumerate) {
  machine.urlHistory.enumResult = hresult::NotImpl;  // Wine's answer
  clean::ClearIEHistory(app.run());
  ASSERT_EQ(1u, http.requests.size());
  EXPECT_TRUE(reported("ModClean%2C%20ClearIEHistory%2C%20")) << http.requests[0];
  EXPECT_EQ(0, machine.urlHistory.liveStores);
}

TEST_F(IEItems, ClearLockedIndexDatBlanksInPlaceAndCreatesNothing) {
  std::string big(200000, 'q');
  big[5] = '\0';
  file(kCookies + "\\index.dat", big);
  clean::ClearLockedIndexDat(app.run());
  EXPECT_EQ(std::string(200000, ' '), read(kCookies + "\\index.dat"));
  EXPECT_FALSE(exists(kHistory + "\\index.dat"));

  file(kHistory + "\\index.dat", "history");
  machine.files.lock(kHistory + "\\index.dat");
  file(kCookies + "\\index.dat", "cookies");
  clean::ClearLockedIndexDat(app.run());
  machine.files.unlock(kHistory + "\\index.dat");
  EXPECT_EQ("history", read(kHistory + "\\index.dat"));
  EXPECT_EQ("       ", read(kCookies + "\\index.dat"));

  file(kCookies + "\\index.dat", "cookies");
  app.flags.abort = true;
  clean::ClearLockedIndexDat(app.run());
  EXPECT_EQ("cookies", read(kCookies + "\\index.dat"));
}

TEST_F(IEItems, RegistryListsArePurgedEvenWhenAborted) {
  auto& reg = machine.registry;
  reg.setString(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url1", "http://a/");
  reg.setString(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url2", "http://b/");
  reg.setString(hkey::CurrentUser, "Software\\Microsoft\\Search Assistant\\ACMru\\5604", "000", "x");
  reg.setString(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page", "canary");
  app.flags.abort = true;
  cleanItem("Clean Location Bar History");
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs"));
  app.flags.abort = false;
  cleanItem("Clean URL Error Logs");
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\Microsoft\\Search Assistant\\ACMru\\5604"));
  EXPECT_TRUE(reg.exists(hkey::CurrentUser, "Software\\Microsoft\\Search Assistant\\ACMru"));
  EXPECT_EQ("canary", reg.getString(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page"));
}

TEST_F(IEItems, AbortStopsAutoCompleteAndIntelliForms) {
  auto& reg = machine.registry;
  reg.setString(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW", "a", "b");
  app.flags.abort = true;
  cleanItem("Clean AutoComplete  Forms Data");
  cleanItem("Clean AutoComplete Password Data");
  EXPECT_TRUE(machine.launcher.requests.empty());
  EXPECT_TRUE(reg.exists(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW"));
  app.flags.abort = false;
  app.frm.form.hWnd = 0x1234;
  machine.launcher.succeed = false;  // a missing companion goes unnoticed
  cleanItem("Clean AutoComplete  Forms Data");
  cleanItem("Clean AutoComplete Password Data");
  ASSERT_EQ(1u, machine.launcher.requests.size());
  const auto& r = machine.launcher.requests[0];
  EXPECT_EQ(0x1234u, r.owner);
  EXPECT_EQ("open", r.verb);
  EXPECT_EQ("C:\\Program Files\\Quellery\\iea.exe", r.file);
  EXPECT_EQ("1", r.parameters);
  EXPECT_EQ("1", r.directory);
  EXPECT_EQ(showcmd::Hide, r.show);
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms"));
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(IEItems, DisableAutoCompleteWritesNoInBothValues) {
  auto& reg = machine.registry;
  reg.setString(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW", "a", "b");
  clean::DisableAutoComplete(app.run());
  EXPECT_EQ("no", reg.getString(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Main", "Use FormSuggest"));
  EXPECT_EQ("no", reg.getString(hkey::CurrentUser, "Software\\Microsoft\\Explorer\\AutoComplete", "Use AutoComplete"));
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(reg.get(hkey::CurrentUser, "Software\\Microsoft\\Explorer\\AutoComplete", "Use AutoComplete", &type, &bytes));
  EXPECT_EQ(regtype::String, type);
  EXPECT_EQ(2u, bytes.size());
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW"));
}

TEST_F(IEItems, OutlookExpressDeletedItemsWithAndWithoutTrailingBackslash) {
  auto& reg = machine.registry;
  const std::string store = "C:\\Documents and Settings\\User\\Local Settings\\Application Data\\Identities\\{ID}\\Mail";
  reg.setString(hkey::CurrentUser, "Identities", "Default User ID", "{ID}");
  for (const std::string& root : {store, store + "\\"}) {
    reg.setString(hkey::CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root", root);
    file(store + "\\Deleted Items.dbx");
    file(store + "\\Inbox.dbx");
    clean::ClearOEDeletedItems(app.run());
    EXPECT_FALSE(exists(store + "\\Deleted Items.dbx")) << root;
    EXPECT_TRUE(exists(store + "\\Inbox.dbx"));
  }
  // An expandable store folder reads as empty: nothing is deleted.
  file(store + "\\Deleted Items.dbx");
  std::vector<uint8_t> expand(store.begin(), store.end());
  reg.set(hkey::CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root", regtype::ExpandString, expand);
  clean::ClearOEDeletedItems(app.run());
  EXPECT_TRUE(exists(store + "\\Deleted Items.dbx"));
  // No identity at all: nothing.
  reg.setString(hkey::CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root", store);
  reg.setString(hkey::CurrentUser, "Identities", "Default User ID", "");
  clean::ClearOEDeletedItems(app.run());
  EXPECT_TRUE(exists(store + "\\Deleted Items.dbx"));
}
