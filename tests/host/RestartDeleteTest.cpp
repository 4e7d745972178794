// Files another program holds open: marked to go when Windows next starts, never a link or
// a file with other names; on 95, 98 and ME through WININIT.INI's [rename] section.
#include <gtest/gtest.h>
#include <unistd.h>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "clean/IEItems.h"
#include "erase/RestartDelete.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"

using namespace platform;

namespace {

constexpr const char* kTemp = "C:\\WINDOWS\\TEMP\\";
constexpr const char* kWininit = "C:\\WINDOWS\\WININIT.INI";

class RestartDelete : public ::testing::Test, protected TestApp {
 protected:
  RestartDelete() { machine.system.temp = kTemp; }
  void file(const std::string& path, const std::string& data = "data") {
    fs.makeFolders(path.substr(0, path.find_last_of('\\')));
    ASSERT_EQ(0, fs.writeFile(path, data)) << path;
  }
  void lockedFile(const std::string& path) {
    file(path);
    fs.lock(path);
  }
  // The temp item alone, run as the user runs it; the line shown after it.
  std::string cleanTemp() {
    app.frm.chkWinSettings[7].setValue(1);
    app.frm.lstClean.clear();
    app::doClean(app);
    const std::vector<std::string> shown = lines();
    return shown.size() >= 2 ? shown[1] : std::string();
  }
  std::string wininit() {
    std::string text;
    fs.readFile(kWininit, &text);
    return text;
  }
  // The guard alone, on an entry of the temp folder held as a walk holds it.
  bool mark(const std::string& name, long error = winerr::SharingViolation, const std::string& folder = kTemp) {
    FileIdentity identity;
    const std::unique_ptr<HeldFolder> held = fs.holdFolder(folder, &identity);
    return held && erase::MarkInUseForRestart(app.run(), *held, folder, name, error);
  }
  sim::SimFileSystem& fs = machine.files;
};

TEST_F(RestartDelete, OnNtALockedTempFileIsMarkedRecordedAndShownAsGoingAtTheNextRestart) {
  file("C:\\WINDOWS\\TEMP\\plain.tmp");
  file("C:\\WINDOWS\\TEMP\\index.dat", "0123456789");
  fs.lock("C:\\WINDOWS\\TEMP\\index.dat");
  EXPECT_EQ("Done, 1 file goes at the next restart", cleanTemp());
  EXPECT_EQ(std::vector<std::string>{"C:\\WINDOWS\\TEMP\\index.dat"}, fs.restartMarks);
  EXPECT_EQ(1u, app.flags.leftBehind.atRestart);
  EXPECT_EQ(0u, app.flags.leftBehind.inUse);
  ASSERT_EQ(1u, app.lastRun.items.size());
  bool recorded = false;
  for (const erase::Target& target : app.lastRun.items[0].targets)
    if (target.outcome == erase::Outcome::AtRestart) {
      recorded = true;
      EXPECT_EQ("C:\\WINDOWS\\TEMP\\index.dat", target.where);
      EXPECT_EQ(10u, target.bytes);
      EXPECT_EQ(erase::TargetKind::File, target.kind);
    }
  EXPECT_TRUE(recorded);

  // Another file in use, and one in a sub-folder: whoever made the sub-folder could swap
  // it for a junction before Windows starts, so that file stays in use.
  fs.restartMarks.clear();
  lockedFile("C:\\WINDOWS\\TEMP\\a.tmp");
  lockedFile("C:\\WINDOWS\\TEMP\\sub\\b.tmp");
  EXPECT_EQ("Done, but left 3: 1 in use, 2 at the next restart", cleanTemp());
  for (const std::string& marked : fs.restartMarks) EXPECT_NE("C:\\WINDOWS\\TEMP\\sub\\b.tmp", marked);
  // One with a second name stays in use too.
  lockedFile("C:\\WINDOWS\\TEMP\\c.tmp");
  file("C:\\Keep\\other.txt");
  ASSERT_EQ(0, ::link(fs.hostPath("C:\\Keep\\other.txt").c_str(), fs.hostPath("C:\\WINDOWS\\TEMP\\other.tmp").c_str()));
  fs.lock("C:\\WINDOWS\\TEMP\\other.tmp");
  EXPECT_EQ("Done, but left 5: 2 in use, 3 at the next restart", cleanTemp());
  EXPECT_TRUE(fs.getAttributes("C:\\Keep\\other.txt") != fileattr::Invalid);
  for (const std::string& marked : fs.restartMarks) EXPECT_NE("C:\\WINDOWS\\TEMP\\other.tmp", marked);
}

TEST_F(RestartDelete, OnNtOnlyAPlainFileInUseOnAFixedPathIsEverMarked) {
  lockedFile("C:\\WINDOWS\\TEMP\\open.tmp");
  file("C:\\Elsewhere\\open.tmp");
  file("C:\\Elsewhere\\target.txt");
  ASSERT_EQ(0, fs.makeLink("C:\\WINDOWS\\TEMP\\link.tmp", fs.hostPath("C:\\Elsewhere\\target.txt")));
  fs.lock("C:\\WINDOWS\\TEMP\\link.tmp");
  lockedFile("C:\\WINDOWS\\TEMP\\linked.tmp");
  ASSERT_EQ(0, ::link(fs.hostPath("C:\\WINDOWS\\TEMP\\linked.tmp").c_str(), fs.hostPath("C:\\Elsewhere\\2.tmp").c_str()));
  fs.makeFolders("C:\\WINDOWS\\TEMP\\folder.tmp");
  fs.substitute('X', "C:\\WINDOWS\\TEMP");
  struct Case {
    const char* what;
    std::string name;
    long error;
    std::string folder;
    bool marked;
  } cases[] = {
      {"a plain file in use", "open.tmp", winerr::SharingViolation, kTemp, true},
      {"a locked range", "open.tmp", 33, kTemp, true},
      {"a refusal that is no use elsewhere", "open.tmp", winerr::AccessDenied, kTemp, false},
      {"a link", "link.tmp", winerr::SharingViolation, kTemp, false},
      {"a file with two names", "linked.tmp", winerr::SharingViolation, kTemp, false},
      {"a folder", "folder.tmp", winerr::SharingViolation, kTemp, false},
      {"a substituted drive, gone when Windows starts", "open.tmp", winerr::SharingViolation, "X:\\", false},
      {"a file gone meanwhile", "gone.tmp", winerr::SharingViolation, kTemp, false},
  };
  for (const Case& c : cases) {
    fs.restartMarks.clear();
    EXPECT_EQ(c.marked, mark(c.name, c.error, c.folder)) << c.what;
    EXPECT_EQ(c.marked ? 1u : 0u, fs.restartMarks.size()) << c.what;
  }

  // The path named by a folder above swapped meanwhile leads to another file of that name.
  FileIdentity identity;
  const std::unique_ptr<HeldFolder> held = fs.holdFolder(kTemp, &identity);
  fs.restartMarks.clear();
  EXPECT_FALSE(erase::MarkInUseForRestart(app.run(), *held, "C:\\Elsewhere\\", "open.tmp",
                                          winerr::SharingViolation));
  EXPECT_TRUE(fs.restartMarks.empty());

  // Collecting marks nothing.
  app.flags.collecting = true;
  EXPECT_FALSE(mark("open.tmp"));
  EXPECT_TRUE(fs.restartMarks.empty());
}

TEST_F(RestartDelete, OnNtAUserWhoMayNotMarkKeepsTheFileCountedInUse) {
  lockedFile("C:\\WINDOWS\\TEMP\\open.tmp");
  fs.restartMarkError = winerr::AccessDenied;
  EXPECT_EQ("Done, but left 1: 1 in use", cleanTemp());
  EXPECT_EQ(0u, app.flags.leftBehind.atRestart);
}

TEST_F(RestartDelete, ALockedIndexDatOrMailFileAnItemNamesGoesAtTheNextRestartUnlessItHasOtherNames) {
  const std::string history = "C:\\Documents and Settings\\User\\Local Settings\\History\\index.dat";
  const std::string cookies = "C:\\Documents and Settings\\User\\Cookies\\index.dat";
  lockedFile(history);
  file(cookies, "cookies");
  app.flags.collecting = true;
  clean::ClearLockedIndexDat(app.run());
  app.flags.collecting = false;
  EXPECT_TRUE(fs.restartMarks.empty()) << "a preview marks nothing";
  clean::ClearLockedIndexDat(app.run());
  EXPECT_EQ(std::vector<std::string>{history}, fs.restartMarks);
  EXPECT_EQ(1u, app.flags.leftBehind.atRestart);

  const std::string store = "C:\\Documents and Settings\\User\\Identities\\{ID}\\Mail\\";
  machine.registry.setString(hkey::CurrentUser, "Identities", "Default User ID", "{ID}");
  machine.registry.setString(hkey::CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0",
                             "Store Root", store);
  lockedFile(store + "Deleted Items.dbx");
  EXPECT_NO_THROW(clean::ClearOEDeletedItems(app.run())) << "a file that goes at the restart is no failure";
  EXPECT_EQ((std::vector<std::string>{history, store + "Deleted Items.dbx"}), fs.restartMarks);

  // Deleted Items with a second name elsewhere: deleting it by name at the restart would
  // leave the mail behind that name, so it stays and the item fails.
  fs.restartMarks.clear();
  fs.unlock(store + "Deleted Items.dbx");
  ASSERT_EQ(0, fs.deleteFile(store + "Deleted Items.dbx"));
  file("C:\\Keep\\mail.dbx");
  ASSERT_EQ(0, ::link(fs.hostPath("C:\\Keep\\mail.dbx").c_str(), fs.hostPath(store + "Deleted Items.dbx").c_str()));
  fs.lock(store + "Deleted Items.dbx");
  EXPECT_THROW(clean::ClearOEDeletedItems(app.run()), report::RuntimeError);
  EXPECT_TRUE(fs.restartMarks.empty());

  // Paths that name no fixed file of a local drive are never marked.
  for (const char* path : {"", "Deleted Items.dbx", "C:Deleted Items.dbx", "\\\\server\\share\\Deleted Items.dbx",
                           "C:\\Documents and Settings\\User\\Identities\\{ID}\\Mail\\"})
    EXPECT_FALSE(erase::MarkNamedFileInUseForRestart(app.run(), path, winerr::SharingViolation)) << path;
  EXPECT_TRUE(fs.restartMarks.empty());

  // A store folder that is a link: what its path names at the restart is not what was seen.
  fs.makeFolders("C:\\Links");
  ASSERT_EQ(0, fs.makeLink("C:\\Links\\Mail", fs.hostPath(store)));
  fs.unlock(store + "Deleted Items.dbx");
  ASSERT_EQ(0, fs.deleteFile(store + "Deleted Items.dbx"));
  file(store + "Deleted Items.dbx");
  fs.lock("C:\\Links\\Mail\\Deleted Items.dbx");
  machine.registry.setString(hkey::CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0",
                             "Store Root", "C:\\Links\\Mail");
  EXPECT_NO_THROW(clean::ClearOEDeletedItems(app.run())) << "refused, as a link, not failed";
  EXPECT_TRUE(fs.restartMarks.empty());
}

TEST_F(RestartDelete, On98ALockedFileGoesToWininitIniAsItsShortPath) {
  fs.fileIdsKnown = false;
  lockedFile("C:\\WINDOWS\\TEMP\\Long Name File.tmp");
  EXPECT_EQ("Done, 1 file goes at the next restart", cleanTemp());
  EXPECT_EQ("[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\LONGNA~1.TMP\r\n", wininit());
  EXPECT_TRUE(fs.restartMarks.empty());

  // The same file again gives no second line; another file gives its own.
  lockedFile("C:\\WINDOWS\\TEMP\\OTHER.TMP");
  EXPECT_EQ("Done, 2 files go at the next restart", cleanTemp());
  EXPECT_EQ("[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\LONGNA~1.TMP\r\nNUL=C:\\WINDOWS\\TEMP\\OTHER.TMP\r\n", wininit());
}

TEST_F(RestartDelete, On98WininitIniKeepsWhatOtherProgramsPutThere) {
  fs.fileIdsKnown = false;
  file("C:\\WINDOWS\\TEMP\\A.TMP");
  file("C:\\WINDOWS\\TEMP\\B.TMP");
  const std::string before =
      "[Settings]\r\nKeep=1\r\n\r\n[Rename]\r\nC:\\WINDOWS\\SYSTEM\\X.DLL=C:\\WINDOWS\\SYSTEM\\X.NEW\r\n"
      "nul = c:\\windows\\temp\\b.tmp\r\n\r\n[Other]\r\nY=2";
  file(kWininit, before);
  EXPECT_EQ(0, fs.deleteAtRestart("C:\\WINDOWS\\TEMP\\a.tmp"));
  EXPECT_EQ(0, fs.deleteAtRestart("C:\\WINDOWS\\TEMP\\b.tmp"));
  EXPECT_EQ(
      "[Settings]\r\nKeep=1\r\n\r\n[Rename]\r\nC:\\WINDOWS\\SYSTEM\\X.DLL=C:\\WINDOWS\\SYSTEM\\X.NEW\r\n"
      "nul = c:\\windows\\temp\\b.tmp\r\nNUL=C:\\WINDOWS\\TEMP\\A.TMP\r\n\r\n[Other]\r\nY=2",
      wininit());

  // No [rename] section yet, and a last line without its line break.
  file(kWininit, "[Other]\r\nY=2");
  EXPECT_EQ(0, fs.deleteAtRestart("C:\\WINDOWS\\TEMP\\a.tmp"));
  EXPECT_EQ("[Other]\r\nY=2\r\n[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\A.TMP\r\n", wininit());

  // A disk that fills up midway leaves the file as it was, and nothing beside it.
  file(kWininit, before);
  fs.limitWrites(10);
  EXPECT_NE(0, fs.deleteAtRestart("C:\\WINDOWS\\TEMP\\a.tmp"));
  EXPECT_EQ(before, wininit());
  EXPECT_EQ(fileattr::Invalid, fs.getAttributes("C:\\WINDOWS\\WININIT.INI.new"));
}

TEST_F(RestartDelete, On98APathWininitCannotReadIsRefused) {
  fs.fileIdsKnown = false;
  // Past DOS's 80 characters even as 8.3 names.
  const std::string deep = "C:\\WINDOWS\\TEMP\\FOLDER01\\FOLDER02\\FOLDER03\\FOLDER04\\FOLDER05\\FOLDER06\\FOLDER07\\FILE.TMP";
  file(deep);
  EXPECT_EQ(winerr::InvalidParameter, fs.deleteAtRestart(deep));
  EXPECT_EQ(fileattr::Invalid, fs.getAttributes(kWininit));
}

}  // namespace
