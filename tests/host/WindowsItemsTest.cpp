#include <gtest/gtest.h>
#include <sys/stat.h>

#include <utility>
#include <vector>

#include "TestApp.h"
#include "clean/WindowsItems.h"
#include "engine/Catalogue.h"
#include "erase/ActivityLog.h"

namespace {

using Entry = std::pair<std::string, std::string>;
using platform::hkey::CurrentUser;

const std::string kMemory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const std::string kStream = "Software\\Microsoft\\Windows\\CurrentVersion\\StreamMRU";

class WindowsItems : public ::testing::Test, protected TestApp {
 protected:
  void SetUp() override {
    for (const char* drive : {"/D", "/E", "/F"}) ::mkdir((machine.files.hostRoot() + drive).c_str(), 0755);
    erase::setActivityObserver([this](const std::string& e, const std::string& t) { log.emplace_back(e, t); });
  }
  void TearDown() override { erase::setActivityObserver(nullptr); }

  void put(const std::string& path, uint32_t attributes = 0) {
    const std::string folder = path.substr(0, path.rfind('\\'));
    if (folder.size() > 2) machine.files.makeFolders(folder);
    ASSERT_EQ(machine.files.writeFile(path, "data"), 0) << path;
    if (attributes) machine.files.setAttributes(path, attributes);
  }
  bool there(const std::string& path) { return machine.files.getAttributes(path) != platform::fileattr::Invalid; }
  // Runs the catalogue's call of the item, as the cleaning run makes it.
  void runItem(int index) { engine::executeItem(engine::catalogue().at(index), app.run(), engine::Mode::Clean); }

  std::vector<Entry> log;
};

TEST_F(WindowsItems, RecycleBinsOfEveryDriveAreEmptiedQuietlyEvenWithTheWindowHidden) {
  machine.shell.recycleBins = {{"C:\\", 3}, {"D:\\", 1}};
  app.frm.form.hWnd = 0x1234;
  app.frm.form.setVisible(false);
  runItem(0);
  ASSERT_EQ(machine.shell.recycleRequests.size(), 1u);
  const auto& request = machine.shell.recycleRequests[0];
  EXPECT_EQ(request.owner, 0x1234u);
  EXPECT_EQ(request.drive, "");
  EXPECT_EQ(request.flags, 7u);
  EXPECT_EQ(machine.shell.recycleBins, (std::map<std::string, int>{{"C:\\", 0}, {"D:\\", 0}}));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].first, "Recycle Bin Cleared ");
  EXPECT_NE(log[0].second.find(" @ "), std::string::npos);
}

TEST_F(WindowsItems, ARecycleBinDriveIsTurnedIntoItsRoot) {
  for (const char* drive : {"C", "C:", "C:\\", "Cxyz"}) clean::EmptyRecylbin(app.run(), drive, clean::kRecycleNoSound);
  ASSERT_EQ(machine.shell.recycleRequests.size(), 4u);
  for (const auto& request : machine.shell.recycleRequests) {
    EXPECT_EQ(request.drive, "C:\\");
    EXPECT_EQ(request.flags, clean::kRecycleNoSound);
  }
}

TEST_F(WindowsItems, RecentDocumentsAreClearedThroughTheShell) {
  machine.shell.recentDocuments = {"a.doc", "b.txt"};
  runItem(2);
  EXPECT_EQ(machine.shell.recentDocumentsClears, 1);
  EXPECT_TRUE(machine.shell.recentDocuments.empty());
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].first, "Recent Docs List Cleared");
}

TEST_F(WindowsItems, RegistryStreamsGoAndThePageFileSwitchIsTheOneByteStringZero) {
  machine.registry.setString(CurrentUser, kStream, "0", "stream");
  machine.registry.setString(CurrentUser, kStream + "\\Sub", "x", "y");
  machine.registry.setString(CurrentUser, kStream + "Canary", "keep", "me");
  for (const char* before : {"", "1"}) {  // missing, then rewritten by a later run
    if (*before) machine.registry.setString(CurrentUser, kMemory, "ClearPageFileAtShutdown", before);
    log.clear();
    runItem(4);
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(machine.registry.get(CurrentUser, kMemory, "ClearPageFileAtShutdown", &type, &bytes));
    EXPECT_EQ(type, platform::regtype::String);
    EXPECT_EQ(bytes, std::vector<uint8_t>{'0'});
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, "Registry Streams Cleared");
  }
  EXPECT_FALSE(machine.registry.exists(CurrentUser, kStream));
  EXPECT_EQ(machine.registry.getString(CurrentUser, kStream + "Canary", "keep"), "me");
}

TEST_F(WindowsItems, TheClipboardIsEmptiedAndAlwaysClosed) {
  app.frm.form.hWnd = 0x4321;
  machine.shell.clipboardText = "secret";
  runItem(5);
  EXPECT_EQ(machine.shell.clipboardText, "");
  EXPECT_EQ(machine.shell.clipboardOwner, 0x4321u);
  EXPECT_FALSE(machine.shell.clipboardOpen);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].first, "Clipboard Cleared");

  // Held by another program: nothing is emptied, nothing is left open, the run goes on.
  machine.shell.clipboardText = "secret";
  machine.shell.clipboardHeldElsewhere = true;
  log.clear();
  runItem(5);
  EXPECT_EQ(machine.shell.clipboardText, "secret");
  EXPECT_FALSE(machine.shell.clipboardOpen);
  EXPECT_EQ(log, (std::vector<Entry>{{"Clipboard ", "Terminated"}}));
}

TEST_F(WindowsItems, ScanDiskFilesGoOnlyFromTheRootsOfCAndD) {
  const std::vector<std::string> gone = {"C:\\FILE0000.CHK", "C:\\hidden.chk", "D:\\x.Chk"};
  // "notes.chkpoint" is NOTES~1.CHK to Windows, which a "*.chk" listing also matches.
  const std::vector<std::string> kept = {"C:\\sub\\b.chk", "C:\\sub\\deeper\\c.chk", "E:\\e.chk",
                                         "C:\\chk.txt", "D:\\sub\\d.chk", "C:\\notes.chkpoint",
                                         "C:\\report.chk_old", "D:\\a.chk.txt"};
  for (const auto& path : gone) put(path);
  machine.files.setAttributes("C:\\hidden.chk", platform::fileattr::Hidden);
  for (const auto& path : kept) put(path);
  runItem(6);
  for (const auto& path : gone) EXPECT_FALSE(there(path)) << path;
  for (const auto& path : kept) EXPECT_TRUE(there(path)) << path;
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().first, "Scan Disk Files");
}

TEST_F(WindowsItems, TheTempFolderIsEmptiedButKept) {
  machine.system.temp = "C:\\WINDOWS\\TEMP\\";
  const std::vector<std::string> files = {"C:\\WINDOWS\\TEMP\\a.tmp", "C:\\WINDOWS\\TEMP\\one\\b.tmp",
                                          "C:\\WINDOWS\\TEMP\\one\\two\\c.tmp"};
  for (const auto& path : files) put(path);
  put("C:\\WINDOWS\\canary.ini");
  runItem(7);
  for (const auto& path : files) EXPECT_FALSE(there(path)) << path;
  EXPECT_FALSE(there("C:\\WINDOWS\\TEMP\\one"));
  EXPECT_TRUE(there("C:\\WINDOWS\\TEMP"));
  EXPECT_TRUE(there("C:\\WINDOWS\\canary.ini"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().first, "Windows Temporary Files Cleared");
}

TEST_F(WindowsItems, WithAbortSetTheFileItemsDeleteNothingAndSaySo) {
  machine.system.temp = "C:\\WINDOWS\\TEMP";
  put("C:\\WINDOWS\\TEMP\\a.tmp");
  put("C:\\x.chk");
  app.flags.abort = true;
  runItem(7);
  runItem(6);
  EXPECT_TRUE(there("C:\\WINDOWS\\TEMP\\a.tmp"));
  EXPECT_TRUE(there("C:\\x.chk"));
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2].first, "Windows Temporary Files **** aborted by user");
  EXPECT_EQ(log.back().first, "Scan Disk Files **** aborted by user");
}

}  // namespace
