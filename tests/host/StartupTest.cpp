#include <gtest/gtest.h>

#include "TestApp.h"
#include "app/Wait.h"
#include "erase/FolderTree.h"
#include "platform/WinError.h"
#include "program/Startup.h"
#include "sysinfo/WinInfo.h"

using platform::OsVersion;
namespace osp = platform::osplatform;

namespace {

class Startup : public ::testing::Test, protected TestApp {};

TEST_F(Startup, ShowsTheWindowWithWelcomeHelpTextTrayIconAndVersionValue) {
  program::Form_Load(app);
  EXPECT_TRUE(app.frm.form.visible());
  EXPECT_EQ(app.frm.stBar.panelText(2), "Welcome To Quellery");
  EXPECT_EQ(lines(), (std::vector<std::string>{"Quellery is ready", "Select cleaning options",
                                                "Click 'Start Cleaning' to begin cleaning process ",
                                                "or click 'Clean & Reboot' to reboot after cleaning"}));
  EXPECT_EQ(app.frm.frontPage(), &app.frm.cleaning.fraCleaning);
  EXPECT_FALSE(app.frm.tvw1.labelEdit);
  EXPECT_EQ(app.osDescription, "Microsoft Windows XP Build 2600");

  // The icon follows the window, once the program is back in its message loop.
  EXPECT_EQ(machine.shell.trayIcons, 0);
  machine.loop.doEvents();
  ASSERT_EQ(machine.shell.trayIcons, 1);
  const platform::TrayIconRecord& tray = machine.shell.lastTrayRecord;
  EXPECT_EQ(tray.cbSize, 88u);
  EXPECT_EQ(tray.uId, 1u);
  EXPECT_EQ(tray.uFlags, 7u);
  EXPECT_EQ(tray.uCallbackMessage, 0x200u);
  EXPECT_EQ(tray.szTip, "Quellery v1.0");

  platform::HKey key = 0;
  ASSERT_EQ(machine.registry.openKey(platform::hkey::LocalMachine, "Software\\Microsoft\\RADaz", &key), 0);
  uint32_t type = 0, size = 0;
  ASSERT_EQ(machine.registry.queryValue(key, "ver", &type, nullptr, &size), 0);
  EXPECT_EQ(type, platform::regtype::String);
  EXPECT_EQ(size, 1u);
}

TEST_F(Startup, AWindowHiddenBeforeItsIconCameGetsNoIcon) {
  program::Form_Load(app);
  app.frm.form.setVisible(false);
  machine.loop.doEvents();
  EXPECT_EQ(machine.shell.trayIcons, 0);
}

TEST_F(Startup, AWindowClosedBeforeItsIconCameLeavesNoIcon) {
  program::Form_Load(app);
  program::Form_Unload(app);
  machine.loop.doEvents();
  EXPECT_EQ(machine.shell.trayIcons, 0);
}

TEST_F(Startup, KeepsAnInstalledVersionValue) {
  platform::HKey key = 0;
  machine.registry.createKey(platform::hkey::LocalMachine, "Software\\Microsoft\\RADaz", &key);
  machine.registry.setValue(key, "ver", platform::regtype::String, reinterpret_cast<const uint8_t*>("3"), 1);
  program::Form_Load(app);
  uint8_t data[4] = {};
  uint32_t type = 0, size = sizeof data;
  machine.registry.queryValue(key, "ver", &type, data, &size);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "3");
}

TEST_F(Startup, ASecondInstanceEndsBeforeShowingAnything) {
  machine.system.otherInstance = true;
  EXPECT_THROW(program::Form_Load(app), platform::ProgramEnded);
  EXPECT_FALSE(app.frm.form.visible());
  EXPECT_EQ(machine.shell.trayIcons, 0);
  EXPECT_EQ(app.frm.lstClean.listCount(), 0);
}

TEST_F(Startup, TheRunEntrysCopyWaitsOutALogonScriptsCleanThenStarts) {
  machine.system.otherInstance = true;
  machine.system.otherIsCommandLineRun = true;
  machine.system.commandLineRunLeftMs = 90 * 1000;
  EXPECT_NO_THROW(program::Form_Load(app));
  EXPECT_EQ(machine.system.waitedForOtherMs, 90u * 1000) << "started once the /clean had ended";
  EXPECT_FALSE(machine.system.ended);
}

TEST_F(Startup, ALogonScriptsCleanThatNeverEndsIsWaitedForAFewMinutesOnly) {
  machine.system.otherInstance = true;
  machine.system.otherIsCommandLineRun = true;
  machine.system.commandLineRunLeftMs = 8u * 3600 * 1000;
  EXPECT_THROW(program::Form_Load(app), platform::ProgramEnded);
  EXPECT_GE(machine.system.waitedForOtherMs, 60u * 1000);
  EXPECT_LE(machine.system.waitedForOtherMs, 15u * 60 * 1000);
}

TEST_F(Startup, CleaningAtStartShowsTheRunThenTheHelpText) {
  // Start-up restores the ticks from the settings store.
  machine.registry.setString(platform::hkey::CurrentUser, "Software\\Quellery\\Settings\\LastHistory", "chkRun3", "1");
  machine.registry.setString(platform::hkey::CurrentUser, "Software\\Quellery\\Settings\\LastHistory",
                             "chkWinSettings5", "1");
  program::Form_Load(app);
  const auto got = lines();
  ASSERT_GE(got.size(), 5u);
  EXPECT_EQ(got.front(), "Cleaning Clipboard...");
  EXPECT_EQ(got.back(), "or click 'Clean & Reboot' to reboot after cleaning");
}

TEST_F(Startup, RunInvisiblyIsOnlyPossibleWhileCheck1IsTicked) {
  machine.registry.setString(platform::hkey::CurrentUser, "Software\\Quellery\\Settings\\LastHistory", "chkRun0", "1");
  program::Form_Load(app);
  EXPECT_EQ(app.frm.chkRun(0).value(), 0);
  EXPECT_FALSE(app.frm.chkRun(0).enabled());
}

TEST_F(Startup, UnloadRemovesTheTrayIconAndStopsARun) {
  program::Form_Load(app);
  program::Form_Unload(app);
  EXPECT_EQ(machine.shell.trayIcons, 0);
  EXPECT_TRUE(app.flags.abort);
  EXPECT_TRUE(app.unloaded);
}

TEST_F(Startup, HelpLinksOpenTheMakersPagesInTheBrowser) {
  program::Label11_Click(app);
  program::Label13_Click(app);
  ASSERT_EQ(machine.shell.opened.size(), 2u);
  EXPECT_EQ(machine.shell.opened[0].substr(machine.shell.opened[0].size() - 5), "/help");
  EXPECT_EQ(machine.shell.opened[1].substr(machine.shell.opened[1].size() - 13), "/support.html");
}

struct VersionCase {
  OsVersion version;
  const char* text;
};

class FindOSTest : public ::testing::TestWithParam<VersionCase>, protected TestApp {};

TEST_P(FindOSTest, NamesTheWindowsVersion) {
  machine.system.version = GetParam().version;
  EXPECT_EQ(hardware::FindOS(app.os), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, FindOSTest,
    ::testing::Values(VersionCase{{4, 0, 950, osp::Windows9x, ""}, "Microsoft Windows 95"},
                      VersionCase{{4, 10, 2222, osp::Windows9x, ""}, "Microsoft Windows 98"},
                      VersionCase{{4, 90, 3000, osp::Windows9x, ""}, "Microsoft Windows 98"},
                      VersionCase{{4, 0, 1381, osp::WindowsNT, ""}, "Microsoft Windows NT"},
                      VersionCase{{5, 0, 2195, osp::WindowsNT, ""}, "Microsoft Windows 2000"},
                      VersionCase{{5, 1, 2600, osp::WindowsNT, ""}, "Microsoft Windows XP Build 2600"},
                      VersionCase{{6, 1, 7601, osp::WindowsNT, ""}, ""},
                      VersionCase{{1, 0, 0, osp::Win32s, ""}, "Microsoft Win32s"}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      const OsVersion& v = info.param.version;
      return "platform" + std::to_string(v.platformId) + "_" + std::to_string(v.major) + "_" +
             std::to_string(v.minor) + "_" + std::to_string(v.build);
    });

TEST(FindOSFailure, AFailedVersionQueryGivesTheEmptyText) {
  TestApp t;
  t.machine.system.versionFails = true;
  EXPECT_EQ(hardware::FindOS(t.app.os), "");
}

class WaitSecondsTest : public ::testing::Test, protected TestApp {};

TEST_F(WaitSecondsTest, ZeroReturnsAtOnceAndHalfASecondServesEvents) {
  const uint64_t before = machine.loop.dispatchCount();
  app::WaitSeconds(app.os, 0);
  EXPECT_EQ(machine.loop.dispatchCount(), before);
  bool clicked = false;
  const uint32_t start = now();
  machine.loop.at(start + 200, [&] { clicked = true; });
  app::WaitSeconds(app.os, 0.5);
  EXPECT_TRUE(clicked);
  EXPECT_GE(now() - start, 500u);
  EXPECT_LT(now() - start, 520u);
}

class DeleteFolderTreeTest : public ::testing::Test, protected TestApp {
 protected:
  void makeTree() {
    auto& fs = machine.files;
    fs.createDirectory("C:\\Tree");
    fs.createDirectory("C:\\Tree\\Sub");
    fs.writeFile("C:\\Tree\\a.txt", "a");
    fs.writeFile("C:\\Tree\\Sub\\b.txt", "b");
    fs.setAttributes("C:\\Tree\\Sub\\b.txt", platform::fileattr::ReadOnly);
  }
};

TEST_F(DeleteFolderTreeTest, DeletesTheWholeTreeWithOrWithoutATrailingBackslash) {
  for (const char* path : {"C:\\Tree", "C:\\Tree\\"}) {
    makeTree();
    EXPECT_TRUE(erase::DeleteFolderTree(app.run(), path)) << path;
    EXPECT_EQ(machine.files.getAttributes("C:\\Tree"), platform::fileattr::Invalid) << path;
  }
}

TEST_F(DeleteFolderTreeTest, AMissingFolderIsFalseAndTouchesNothing) {
  makeTree();
  EXPECT_FALSE(erase::DeleteFolderTree(app.run(), "C:\\Tre"));
  EXPECT_FALSE(erase::DeleteFolderTree(app.run(), "C:\\Tree\\a.txt"));
  EXPECT_NE(machine.files.getAttributes("C:\\Tree\\a.txt"), platform::fileattr::Invalid);
}

}  // namespace
