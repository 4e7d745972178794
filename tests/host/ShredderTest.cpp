#include <gtest/gtest.h>

#include <functional>

#include <fstream>

#include <unistd.h>

#include "TestApp.h"
#include "erase/ActivityLog.h"
#include "program/Startup.h"
#include "shredder/ShredFile.h"
#include "shredder/ShredFolder.h"
#include "shredder/ShredGuard.h"
#include "shredder/Shredder.h"

using namespace platform;

namespace {

const char* const kProgram = "C:\\Program Files\\Quellery";
const char* const kListFile = "C:\\Program Files\\Quellery\\Settings.txt";

class Shredder : public ::testing::Test, protected TestApp {
 protected:
  Shredder() {
    fs.makeFolders(kProgram);
    shredder::fillSecurityLevels(app);
    // What each file held when it was cut to nothing, after its overwriting.
    fs.beforeSetLength = [this](const std::string& path) {
      std::string data;
      fs.readFile(path, &data);
      overwritten[path] = data;
    };
  }
  void file(const std::string& path, const std::string& data = "data") {
    fs.makeFolders(path.substr(0, path.find_last_of('\\')));
    fs.writeFile(path, data);
  }
  bool there(const std::string& path) { return fs.getAttributes(path) != fileattr::Invalid; }
  std::string content(const std::string& path) {
    std::string data;
    fs.readFile(path, &data);
    return data;
  }
  void list(std::initializer_list<const char*> entries) {
    for (const char* entry : entries) app.frm.lstFiles.addItem(entry);
  }
  // The entries of a folder but "." and "..".
  std::vector<std::string> names(const std::string& folder) {
    std::vector<FindData> found;
    fs.findFiles(folder + "\\*", &found);
    std::vector<std::string> out;
    for (const FindData& entry : found)
      if (entry.name != "." && entry.name != "..") out.push_back(entry.name);
    return out;
  }
  // A host file outside the simulated drive, where a link may lead.
  std::string outside(const std::string& name, const std::string& data) {
    const std::string path = machine.hostRoot + "/" + name;
    std::ofstream(path) << data;
    return path;
  }
  std::string hostContent(const std::string& hostPath) {
    std::ifstream in(hostPath);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  sim::SimFileSystem& fs = machine.files;
  std::map<std::string, std::string> overwritten;
};

template <typename T>
T& child(ui::Form& form, const char* name) {
  for (ui::Control* control : form.children())
    if (control->name() == name) return static_cast<T&>(*control);
  throw std::runtime_error(name);
}

std::string bytes(const std::string& data, size_t at, size_t count) { return data.substr(at, count); }

TEST_F(Shredder, OneByteFileGrowsToTheWholeStreamAtEachLevel) {
  const struct {
    int level;
    size_t length;
  } levels[] = {{0, 5640}, {1, 10840}, {2, 16040}, {3, 21240}, {4, 26440}};
  for (const auto& level : levels) {
    SCOPED_TRACE(level.level);
    file("C:\\Docs\\one.txt", "x");
    app.frm.cmbOver.setListIndex(level.level);
    EXPECT_TRUE(shredder::ShredFile(app, "C:\\Docs\\one.txt", shredder::chosenFactor(app)));
    EXPECT_EQ(overwritten["C:\\Docs\\one.txt"].size(), level.length);
    EXPECT_FALSE(there("C:\\Docs\\one.txt"));
    EXPECT_TRUE(names("C:\\Docs").empty()) << "a renamed leftover";
  }
}

TEST_F(Shredder, MediumStreamByteForByte) {
  file("C:\\Docs\\one.txt", "x");
  ASSERT_TRUE(shredder::ShredFile(app, "C:\\Docs\\one.txt", 300));
  const std::string s = overwritten["C:\\Docs\\one.txt"];
  ASSERT_EQ(s.size(), 16040u);
  // N = 300: each run starts where the one before it ends.
  const struct {
    size_t from, to;
    std::string unit;
  } runs[] = {
      {0, 1200, std::string("\x0A\0\0\0", 4)}, {1200, 1800, "\xEA\xDE"}, {1800, 2400, "\x31\xE7"},
      {2400, 8400, "\x31\x30"}, {8400, 9000, "\x2E"}, {9000, 9300, "\x56"}, {9300, 9600, "\x65"},
      {9600, 9900, "\x72"}, {9900, 10200, "\x97"}, {10200, 10500, "\x31"}, {10500, 10800, "\x2E"},
      {10800, 11100, "\x30"}, {11100, 11400, "\x2E"}, {11400, 11700, "\x30"},
      {11700, 15740, std::string("\x0A\0\0\0", 4)}, {15740, 16040, std::string(1, '\0')}};
  for (const auto& run : runs)
    for (size_t at = run.from; at < run.to; at += run.unit.size())
      ASSERT_EQ(bytes(s, at, run.unit.size()), run.unit) << "at " << at;
}

TEST_F(Shredder, LargeFileIsOverwrittenToItsLastByteThenFlushedCutAndDeleted) {
  const size_t length = 1024 * 1024 + 1;
  file("C:\\Docs\\big.bin", std::string(length, 'X'));
  const int flushes = fs.flushes;
  ASSERT_TRUE(shredder::ShredFile(app, "C:\\Docs\\big.bin", 300));
  const std::string s = overwritten["C:\\Docs\\big.bin"];
  ASSERT_EQ(s.size(), length);
  EXPECT_EQ(s.find('X'), std::string::npos) << "an old byte survived";
  // The stream again and again, from the first byte to the last.
  for (size_t at = 16040; at < length; ++at) ASSERT_EQ(s[at], s[at % 16040]) << "at " << at;
  EXPECT_EQ(bytes(s, 0, 4), std::string("\x0A\0\0\0", 4));
  EXPECT_EQ(fs.flushes - flushes, 1);
  EXPECT_FALSE(there("C:\\Docs\\big.bin"));
  EXPECT_TRUE(names("C:\\Docs").empty());
}

TEST_F(Shredder, RefusedEntriesAreLeftAndTheListGoesOn) {
  const std::string target = outside("target.txt", "keep me");
  fs.makeFolders("C:\\Docs");
  ASSERT_EQ(fs.makeLink("C:\\Docs\\link.txt", target), 0);
  file("C:\\Docs\\twice.txt", "two names");
  ASSERT_EQ(::link(fs.hostPath("C:\\Docs\\twice.txt").c_str(), fs.hostPath("C:\\Docs\\other.txt").c_str()), 0);
  const std::string outsideFolder = machine.hostRoot + "/elsewhere";
  fs.makeFolders("C:\\Elsewhere");
  ::mkdir(outsideFolder.c_str(), 0755);
  std::ofstream(outsideFolder + "/canary.txt") << "canary";
  ASSERT_EQ(fs.makeLink("C:\\Docs\\linkdir", outsideFolder), 0);
  file("C:\\Docs\\busy.txt", "held open");
  fs.lock("C:\\Docs\\busy.txt");
  file("C:\\Docs\\plain.txt", "secret");
  file("C:\\keep.txt", "root file");
  list({"C:\\Docs\\link.txt", "C:\\Docs\\twice.txt", "C:\\Docs\\linkdir", "C:\\Docs\\busy.txt", "C:\\",
        "C:", "\\\\.\\C:", "C:\\Docs\\CON", "relative.txt", "C:\\Docs\\plain.txt"});
  app.frm.shredder.cmdDelSelected.click();
  EXPECT_EQ(hostContent(target), "keep me");
  EXPECT_TRUE(there("C:\\Docs\\link.txt"));
  EXPECT_EQ(content("C:\\Docs\\twice.txt"), "two names");
  EXPECT_EQ(content("C:\\Docs\\other.txt"), "two names");
  EXPECT_EQ(hostContent(outsideFolder + "/canary.txt"), "canary");
  fs.unlock("C:\\Docs\\busy.txt");
  EXPECT_EQ(content("C:\\Docs\\busy.txt"), "held open");
  EXPECT_EQ(content("C:\\keep.txt"), "root file");
  EXPECT_FALSE(there("C:\\Docs\\plain.txt")) << "the entry after the refused ones";
  EXPECT_EQ(app.frm.lstFiles.listCount(), 0);
  EXPECT_FALSE(there(kListFile));
}

TEST_F(Shredder, DeviceNamesWhateverTheirExtension) {
  for (const char* path : {"C:\\Temp\\CON", "C:\\Temp\\nul.txt", "C:\\Temp\\COM1.log", "C:\\Temp\\lpt9",
                           "C:\\aux\\x.txt", "\\\\.\\C:", "\\\\?\\C:\\Temp\\a.txt", "C:\\Temp\\Clock$"})
    EXPECT_TRUE(shredder::namesDevice(path)) << path;
  for (const char* path : {"C:\\Temp\\CONSOLE.txt", "C:\\Temp\\COM0", "C:\\Temp\\LPT10", "C:\\Temp\\nulls"})
    EXPECT_FALSE(shredder::namesDevice(path)) << path;
}

// Windows drops a name's trailing dots and blanks: "foo.txt." would shred foo.txt.
TEST_F(Shredder, ATwinSpellingIsRefusedWithItsReasonAndNeverAdded) {
  file("C:\\Docs\\foo.txt", "precious");
  list({"C:\\Docs\\foo.txt.", "C:\\Docs\\foo.txt ", "C:\\Docs.\\foo.txt"});
  app.frm.shredder.cmdDelSelected.click();
  EXPECT_EQ(content("C:\\Docs\\foo.txt"), "precious");
  EXPECT_TRUE(overwritten.empty());
  ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
  EXPECT_EQ(machine.shell.messageBoxes[0].text,
            "These files were not shredded:\r\nC:\\Docs\\foo.txt.: name ending in a dot or blank"
            "\r\nC:\\Docs\\foo.txt : name ending in a dot or blank\r\nC:\\Docs.\\foo.txt: name ending in a dot or blank");

  machine.dialogs.fileDialogAnswer = std::string("C:\\Docs\0foo.txt.\0foo.txt\0CON.txt", 32);
  app.frm.shredder.cmdFileBrowse.click();
  ASSERT_EQ(app.frm.lstFiles.listCount(), 1);
  EXPECT_EQ(app.frm.lstFiles.list(0), "C:\\Docs\\foo.txt");
  ASSERT_EQ(machine.shell.messageBoxes.size(), 2u);
  EXPECT_EQ(machine.shell.messageBoxes[1].text,
            "These files were not added:\r\nC:\\Docs\\foo.txt.: name ending in a dot or blank"
            "\r\nC:\\Docs\\CON.txt: device name");
}

TEST_F(Shredder, AFolderEntryHasItsFilesShreddedAndGoes) {
  file("C:\\Docs\\Old\\a.txt", "aaaa");
  file("C:\\Docs\\Old\\Sub\\b.txt", "bbbb");
  fs.setAttributes("C:\\Docs\\Old\\Sub\\b.txt", fileattr::ReadOnly | fileattr::Hidden);
  list({"C:\\Docs\\Old"});
  app.frm.shredder.cmdDelSelected.click();
  EXPECT_EQ(overwritten["C:\\Docs\\Old\\a.txt"].size(), 16040u);
  EXPECT_EQ(overwritten["C:\\Docs\\Old\\Sub\\b.txt"].size(), 16040u);
  EXPECT_FALSE(there("C:\\Docs\\Old"));
  EXPECT_TRUE(there("C:\\Docs"));
}

TEST_F(Shredder, ListFileFormatSavingLoadingAndClearing) {
  list({"C:\\Docs\\a.txt", "C:\\My Docs\\b c.txt"});
  shredder::SaveShredList(app);
  EXPECT_EQ(content(kListFile), "C:\\Docs\\a.txt\r\nC:\\My Docs\\b c.txt\r\n");
  // An empty list leaves the file as it is.
  app.frm.lstFiles.clear();
  shredder::SaveShredList(app);
  EXPECT_EQ(content(kListFile), "C:\\Docs\\a.txt\r\nC:\\My Docs\\b c.txt\r\n");
  // Loading replaces what the list holds; a last line without its end counts too.
  list({"C:\\stale.txt"});
  fs.writeFile(kListFile, "C:\\x.txt\r\nC:\\y.txt");
  shredder::LoadFiles(app);
  ASSERT_EQ(app.frm.lstFiles.listCount(), 2);
  EXPECT_EQ(app.frm.lstFiles.list(0), "C:\\x.txt");
  EXPECT_EQ(app.frm.lstFiles.list(1), "C:\\y.txt");
  app.frm.shredder.cmdShredClear.click();
  EXPECT_EQ(app.frm.lstFiles.listCount(), 0);
  EXPECT_FALSE(there(kListFile));
  // Without the file, loading leaves the list alone.
  list({"C:\\kept.txt"});
  shredder::LoadFiles(app);
  EXPECT_EQ(app.frm.lstFiles.listCount(), 1);
  app.frm.lstFiles.clear();
  app.frm.shredder.cmdDelSelected.click();
  ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
  EXPECT_EQ(machine.shell.messageBoxes[0].text, "Error: Enter a file for shredding!");
  EXPECT_EQ(machine.shell.messageBoxes[0].title, "Quellery");
  EXPECT_FALSE(machine.dialogs.busyPointer);
}

TEST_F(Shredder, ShreddedPathsDoNotComeBackWhenThePageIsShownAgain) {
  file("C:\\Docs\\a.txt");
  list({"C:\\Docs\\a.txt"});
  shredder::SaveShredList(app);
  app.frm.shredder.cmdDelSelected.click();
  shredder::LoadFiles(app);
  EXPECT_EQ(app.frm.lstFiles.listCount(), 0);
  EXPECT_FALSE(there(kListFile));
}

TEST_F(Shredder, BrowseAppendsBothFormsOfTheDialogsAnswer) {
  ui::ListBox& files = app.frm.lstFiles;
  machine.dialogs.fileDialogAnswer = "C:\\Docs\\one.txt";
  app.frm.shredder.cmdFileBrowse.click();
  machine.dialogs.fileDialogAnswer = std::string("C:\\Docs\0a.txt\0b.txt\0c d.txt", 27);
  app.frm.shredder.cmdFileBrowse.click();
  machine.dialogs.fileDialogAnswer = "";
  app.frm.shredder.cmdFileBrowse.click();
  ASSERT_EQ(files.listCount(), 4);
  EXPECT_EQ(files.list(0), "C:\\Docs\\one.txt");
  EXPECT_EQ(files.list(1), "C:\\Docs\\a.txt");
  EXPECT_EQ(files.list(2), "C:\\Docs\\b.txt");
  EXPECT_EQ(files.list(3), "C:\\Docs\\c d.txt");
  ASSERT_EQ(machine.dialogs.fileDialogs.size(), 3u);
  EXPECT_EQ(machine.dialogs.fileDialogs[0].filter, "All Files|*.*");
  EXPECT_EQ(machine.dialogs.fileDialogs[0].flags, 0x80200u);
  EXPECT_EQ(machine.dialogs.fileDialogs[0].bufferSize, 2048u);
}

// A user who chose "Extreme" and then browsed for files shreds them at Extreme.
TEST_F(Shredder, SecurityLevelIsMediumAtFirstThenTheUsersChoiceThroughEveryActivation) {
  program::Form_Load(app);
  EXPECT_EQ(app.frm.cmbOver.text(), "Medium");
  program::Form_Activate(app);
  EXPECT_EQ(app.frm.cmbOver.text(), "Medium");
  app.frm.cmbOver.setListIndex(4);
  program::Form_Activate(app);
  EXPECT_EQ(app.frm.cmbOver.text(), "Extreme");
  program::Form_Activate(app);
  EXPECT_EQ(app.frm.cmbOver.text(), "Extreme");
  EXPECT_EQ(app.frm.cmbOver.listCount(), 5);
}

class ShredFolder : public Shredder {
 protected:
  void setFolder(const std::string& folder) {
    machine.registry.setString(hkey::CurrentUser, "SOFTWARE\\Quellery\\Sheredder", "ShredFolder", folder);
    program::Form_Activate(app);
  }
  // The folder picker's window, as the view makes it: `answer` plays the user in it, who
  // then cancels a picker that stayed open.
  void whenPickerOpens(std::function<void(ui::Form&)> answer) {
    app.openDialog = [answer](ui::Form& form) {
      answer(form);
      if (form.visible()) child<ui::Button>(form, "cmdCancel").click();
      return true;
    };
    app.closeDialog = [](ui::Form&) {};
  }
};

TEST_F(ShredFolder, SweepLeavesAnExistingEmptyFolder) {
  file("C:\\Wipe\\a.txt");
  file("C:\\Wipe\\Sub\\Deeper\\b.txt");
  fs.setAttributes("C:\\Wipe\\a.txt", fileattr::Hidden);
  setFolder("C:\\Wipe");
  EXPECT_EQ(app.frm.txtShredFolder.text(), "C:\\Wipe");
  shredder::SweepShredFolder(app);
  EXPECT_TRUE(there("C:\\Wipe"));
  EXPECT_TRUE(names("C:\\Wipe").empty());
  EXPECT_EQ(overwritten["C:\\Wipe\\Sub\\Deeper\\b.txt"].size(), 16040u);
}

TEST_F(ShredFolder, NoFolderMeansNothingIsTouched) {
  file("C:\\Wipe\\a.txt");
  setFolder("");
  shredder::SweepShredFolder(app);
  EXPECT_TRUE(there("C:\\Wipe\\a.txt"));
}

TEST_F(ShredFolder, RefusedFoldersKeepEverything) {
  const char* const folders[] = {
      "C:\\", "C:\\WINDOWS", "c:\\windows\\system32", "C:\\WINDOWS\\.", "C:\\Documents and Settings\\User",
      "C:\\Documents and Settings", "C:\\Documents and Settings\\User\\Favorites", kProgram,
      "C:\\Program Files", "Wipe", "C:Wipe", "\\\\?\\C:\\Wipe", "C:\\Wipe\\Lnk\\Sub", "C:\\Wipe\\Lnk",
      "C:\\Wipe.", "C:\\Wipe.\\", "C:\\WIPE\\..\\Wipe"};
  const std::string outsideFolder = machine.hostRoot + "/elsewhere";
  ::mkdir(outsideFolder.c_str(), 0755);
  ::mkdir((outsideFolder + "/Sub").c_str(), 0755);
  std::ofstream(outsideFolder + "/Sub/canary.txt") << "canary";
  fs.makeFolders("C:\\Wipe");
  ASSERT_EQ(fs.makeLink("C:\\Wipe\\Lnk", outsideFolder), 0);
  // A canary in each refused folder that is a full path of its own.
  std::vector<std::string> canaries;
  for (const std::string folder : folders)
    if (folder.find("Lnk") == std::string::npos && folder.find(":\\") == 1)
      canaries.push_back(folder + (folder.back() == '\\' ? "" : "\\") + "canary.txt");
  for (const std::string& canary : canaries) file(canary, "canary");
  for (const char* folder : folders) {
    SCOPED_TRACE(folder);
    app.frm.txtShredFolder.setText(folder);
    shredder::SweepShredFolder(app);
    EXPECT_EQ(hostContent(outsideFolder + "/Sub/canary.txt"), "canary");
  }
  for (const std::string& canary : canaries) EXPECT_EQ(content(canary), "canary") << canary;
  // Swept itself, the folder does not go through the link inside it.
  app.frm.txtShredFolder.setText("C:\\Wipe");
  shredder::SweepShredFolder(app);
  EXPECT_EQ(hostContent(outsideFolder + "/Sub/canary.txt"), "canary");
}

TEST_F(ShredFolder, PickerStoresTheChosenFolderAndFallsBackFromADriveThatIsNotReady) {
  fs.makeFolders("C:\\Wipe\\Inner");
  fs.notReadyDrives = 1u << 0;  // A:, no disk
  whenPickerOpens([](ui::Form& form) {
    auto& drives = child<ui::ListBox>(form, "drvList");
    auto& folders = child<ui::ListBox>(form, "dirList");
    ASSERT_EQ(drives.text(), "c:");
    EXPECT_EQ(folders.list(0), "C:\\");
    drives.setListIndex(0);  // "a:"
    EXPECT_EQ(drives.text(), "c:");
    EXPECT_EQ(folders.list(0), "C:\\");
    for (int i = 0; i < folders.listCount(); ++i)
      if (folders.list(i) == "C:\\Wipe") folders.setListIndex(i);
    folders.dblClick();
    EXPECT_EQ(folders.list(folders.listCount() - 1), "C:\\Wipe\\Inner");
    folders.setListIndex(1);  // C:\Wipe, the folder the list shows
    child<ui::Button>(form, "cmdAdd").click();
  });
  app.frm.shredder.cmdShredBrowse.click();
  ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
  EXPECT_EQ(machine.shell.messageBoxes[0].text, "Unable to open root drive.");
  EXPECT_EQ(machine.shell.messageBoxes[0].type, 0x10u);  // MB_ICONHAND: the critical icon
  EXPECT_EQ(app.frm.txtShredFolder.text(), "C:\\Wipe");
  EXPECT_EQ(machine.registry.getString(hkey::CurrentUser, "SOFTWARE\\Quellery\\Sheredder", "ShredFolder"),
            "C:\\Wipe");
  // Cancelled, the picker leaves no folder; "Clear" too.
  whenPickerOpens([](ui::Form& form) { child<ui::Button>(form, "cmdCancel").click(); });
  app.frm.shredder.cmdShredBrowse.click();
  EXPECT_EQ(machine.registry.getString(hkey::CurrentUser, "SOFTWARE\\Quellery\\Sheredder", "ShredFolder"), "");
  app.frm.txtShredFolder.setText("C:\\Wipe");
  app.frm.shredder.Command2.click();
  EXPECT_EQ(app.frm.txtShredFolder.text(), "");
}

TEST_F(ShredFolder, ThePickerRefusesAFolderWhoseNameEndsInADot) {
  file("C:\\Wipe\\keep.txt", "keep");
  ASSERT_EQ(fs.createDirectory("\\\\?\\C:\\Wipe."), 0);  // it would be swept as C:\Wipe
  whenPickerOpens([](ui::Form& form) {
    auto& folders = child<ui::ListBox>(form, "dirList");
    for (int i = 0; i < folders.listCount(); ++i)
      if (folders.list(i) == "C:\\Wipe.") folders.setListIndex(i);
    child<ui::Button>(form, "cmdAdd").click();
  });
  app.frm.shredder.cmdShredBrowse.click();
  EXPECT_EQ(app.frm.txtShredFolder.text(), "");
  ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
  EXPECT_EQ(machine.shell.messageBoxes[0].text,
            "This folder cannot be shredded: C:\\Wipe. (name ending in a dot or blank)");
}

// Chosen in the picker, a folder the sweep refuses is refused there, with the sweep's reason.
TEST_F(ShredFolder, ThePickerRefusesWhatTheSweepWouldRefuseAndSaysWhy) {
  fs.makeFolders("C:\\WINDOWS");
  fs.makeFolders("C:\\Wipe");
  for (const char* folder : {"C:\\", "C:\\WINDOWS"}) {
    SCOPED_TRACE(folder);
    machine.shell.messageBoxes.clear();
    whenPickerOpens([folder](ui::Form& form) {
      auto& folders = child<ui::ListBox>(form, "dirList");
      for (int i = 0; i < folders.listCount(); ++i)
        if (folders.list(i) == folder) folders.setListIndex(i);
      child<ui::Button>(form, "cmdAdd").click();
      child<ui::Button>(form, "cmdCancel").click();
    });
    app.frm.shredder.cmdShredBrowse.click();
    EXPECT_EQ(app.frm.txtShredFolder.text(), "");
    EXPECT_EQ(machine.registry.getString(hkey::CurrentUser, "SOFTWARE\\Quellery\\Sheredder", "ShredFolder"), "");
    ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
    EXPECT_EQ(machine.shell.messageBoxes[0].text,
              std::string("This folder cannot be shredded: ") + folder + " (protected folder)");
  }
}

// A folder stored before the picker refused it is left at every sweep, and the status list
// says why instead of nothing.
TEST_F(ShredFolder, ARefusedSweepIsReportedInTheStatusList) {
  file("C:\\canary.txt", "canary");
  setFolder("C:\\");
  shredder::SweepShredFolder(app);
  EXPECT_EQ(content("C:\\canary.txt"), "canary");
  ASSERT_GT(app.frm.lstClean.listCount(), 0);
  EXPECT_EQ(app.frm.lstClean.list(app.frm.lstClean.listCount() - 1), "Shred folder refused: C:\\ (protected folder)");
}

}  // namespace
