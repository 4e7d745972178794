#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <utility>

#include "TestApp.h"
#include "app/Wait.h"
#include "custom/BookmarkGuard.h"
#include "custom/FavouritesRule.h"
#include "custom/frmCustom.h"
#include "program/Startup.h"

namespace {

using platform::hkey::CurrentUser;

const char kIEMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kLastHistory[] = "Software\\Quellery\\Settings\\LastHistory";
const char kFavorites[] = "C:\\Documents and Settings\\User\\Favorites";

constexpr uint64_t kSecond = 10000000ull;  // FILETIME steps

platform::FindData entry(const std::string& name, uint64_t created) {
  platform::FindData data;
  data.name = name;
  data.creationTime = created;
  return data;
}

TEST(FavouritesRule, NewMeansAbsentAtEnablingAndCreatedSince) {
  const uint64_t enabled = 130000000000000000ull;
  const custom::GuardReference reference =
      custom::takeReference(enabled, {entry("Old.url", enabled - 3600 * kSecond), entry("Skewed.url", enabled + 60 * kSecond)});
  const struct {
    const char* name;
    uint64_t created;
    bool isNew;
  } cases[] = {
      {"Planted.url", enabled + 5 * kSecond, true},
      {"Planted2.url", enabled, true},
      {"Stamped behind the clock.url", enabled - 1 * kSecond, true},
      {"Moved in.url", enabled - 3600 * kSecond, false},
      {"Written a minute before.url", enabled - 30 * kSecond, false},
      {"Old.url", enabled + 10 * kSecond, false},     // was there, whatever its stamp
      {"OLD.URL", enabled + 10 * kSecond, false},     // names differ only in case
      {"Skewed.url", enabled + 60 * kSecond, false},  // stamped in the future, but was there
  };
  for (const auto& c : cases)
    EXPECT_EQ(custom::isNewFavourite(reference, entry(c.name, c.created)), c.isNew) << c.name;
}

class CustomWindow : public ::testing::Test, protected TestApp {
 protected:
  custom::CustomWindow& w = app.frmCustom;
  CustomWindow() { machine.files.makeFolders(kFavorites); }
  std::string favourite(const std::string& name) { return std::string(kFavorites) + "\\" + name; }
  bool exists(const std::string& path) { return machine.files.getAttributes(path) != platform::fileattr::Invalid; }
  void write(const std::string& path) { ASSERT_EQ(machine.files.writeFile(path, "[InternetShortcut]\r\n"), 0) << path; }
  std::string stored(const std::string& key) {
    const std::string raw = machine.registry.getString(CurrentUser, kLastHistory, key);
    return raw.substr(0, raw.find('\0'));
  }
  void closeWithTheGuardOn() {
    program::Form_Load(app);
    w.cmdEnableAutoBookMark.click();
    program::Form_Unload(app);
  }
  // A second program on the same machine, as after a restart.
  std::unique_ptr<program::App> restart() {
    auto again = std::make_unique<program::App>(machine.platform());
    program::Form_Load(*again);
    return again;
  }
  // Whether Enable and Disable can be clicked when the user opens the window.
  std::pair<bool, bool> buttonsWhenOpened(program::App& program) {
    custom::CustomWindow& opened = program.frmCustom;
    std::pair<bool, bool> enabled;
    machine.loop.at(now() + 100, [&] {
      enabled = {opened.cmdEnableAutoBookMark.enabled(), opened.cmdDisableAutoBookMark.enabled()};
      opened.form.onClose();
    });
    program.frm.cookies.cmdIEcustSettings.click();
    return enabled;
  }
};

TEST_F(CustomWindow, GuardDeletesOnlyFilesThatAppearWhileItRuns) {
  write(favourite("Before.url"));
  machine.files.makeFolders(favourite("Links"));
  w.cmdEnableAutoBookMark.click();
  EXPECT_FALSE(w.cmdEnableAutoBookMark.enabled());
  EXPECT_TRUE(w.cmdDisableAutoBookMark.enabled());

  write(favourite("Planted.url"));
  machine.files.makeFolders(favourite("Planted folder"));
  write(favourite("Links\\Deeper.url"));
  app::WaitSeconds(app.os, 0.25);
  EXPECT_FALSE(exists(favourite("Planted.url")));
  EXPECT_TRUE(exists(favourite("Before.url")));
  EXPECT_TRUE(exists(favourite("Planted folder")));
  EXPECT_TRUE(exists(favourite("Links\\Deeper.url")));

  // A change to a favourite that was there leaves it alone too.
  write(favourite("Before.url"));
  write(favourite("Second.url"));
  app::WaitSeconds(app.os, 0.25);
  EXPECT_TRUE(exists(favourite("Before.url")));
  EXPECT_FALSE(exists(favourite("Second.url")));
}

// Windows reads ".Bank.url." as ".Bank.url": the new twin goes, the old favourite stays.
TEST_F(CustomWindow, AFavouriteNamedWithATrailingDotIsDeletedAndNotItsTwin) {
  ASSERT_EQ(machine.files.writeFile(favourite(".Bank.url"), "old"), 0);
  w.cmdEnableAutoBookMark.click();
  write("\\\\?\\" + favourite(".Bank.url."));
  write("\\\\?\\" + favourite("Shop.url "));
  app::WaitSeconds(app.os, 0.25);
  std::string data;
  EXPECT_EQ(machine.files.readFile(favourite(".Bank.url"), &data), 0);
  EXPECT_EQ(data, "old");
  EXPECT_FALSE(exists("\\\\?\\" + favourite(".Bank.url.")));
  EXPECT_FALSE(exists("\\\\?\\" + favourite("Shop.url ")));
}

TEST_F(CustomWindow, AFavouriteStillBeingWrittenIsDeletedOnceItsWriterLetsGo) {
  w.cmdEnableAutoBookMark.click();
  write(favourite("Busy.url"));
  machine.files.lock(favourite("Busy.url"));
  app::WaitSeconds(app.os, 0.5);
  EXPECT_TRUE(exists(favourite("Busy.url")));
  // No further change is signalled: the retry alone must take it.
  machine.files.unlock(favourite("Busy.url"));
  app::WaitSeconds(app.os, 0.15);
  EXPECT_FALSE(exists(favourite("Busy.url")));
}

TEST_F(CustomWindow, DisableStopsTheGuardAtOnce) {
  w.cmdEnableAutoBookMark.click();
  EXPECT_EQ(machine.files.openWatches(), 1u);
  w.cmdDisableAutoBookMark.click();
  EXPECT_EQ(machine.files.openWatches(), 0u);
  EXPECT_TRUE(w.cmdEnableAutoBookMark.enabled());
  EXPECT_FALSE(w.cmdDisableAutoBookMark.enabled());
  write(favourite("After disable.url"));
  app::WaitSeconds(app.os, 0.3);
  EXPECT_TRUE(exists(favourite("After disable.url")));
}

TEST_F(CustomWindow, TheMainWindowsUnloadStopsTheGuard) {
  w.cmdEnableAutoBookMark.click();
  program::Form_Unload(app);
  EXPECT_EQ(machine.files.openWatches(), 0u);
  EXPECT_FALSE(app.favouritesWatch.running);
}

TEST_F(CustomWindow, AGuardOnWhenTheProgramClosedRunsAgainAfterARestart) {
  closeWithTheGuardOn();
  const auto again = restart();
  EXPECT_TRUE(again->favouritesWatch.running);
  EXPECT_EQ(machine.files.openWatches(), 1u);
  EXPECT_EQ(buttonsWhenOpened(*again), std::make_pair(false, true)) << "Enable off, Disable on";
  write(favourite("Planted.url"));
  app::WaitSeconds(app.os, 0.25);
  EXPECT_FALSE(exists(favourite("Planted.url")));
}

// Favorites now points at the Desktop: the guard would take every new document there.
TEST_F(CustomWindow, AGuardOnWhenTheProgramClosedStaysOffWhereFavoritesIsNoLongerSafe) {
  const std::string desktop = "C:\\Documents and Settings\\User\\Desktop";
  machine.files.makeFolders(desktop);
  machine.shell.specialFolders[0x10] = desktop;
  closeWithTheGuardOn();
  machine.shell.specialFolders[6] = desktop;
  const auto again = restart();
  EXPECT_FALSE(again->favouritesWatch.running);
  EXPECT_EQ(machine.files.openWatches(), 0u);
  EXPECT_TRUE(machine.shell.messageBoxes.empty()) << "a start, perhaps an invisible one, shows no box";
  EXPECT_EQ(buttonsWhenOpened(*again), std::make_pair(true, false)) << "Enable on, Disable off";
  write(desktop + "\\New document.txt");
  app::WaitSeconds(app.os, 0.25);
  EXPECT_TRUE(exists(desktop + "\\New document.txt"));
}

TEST_F(CustomWindow, AFavoritesFolderThatIsNoSafePlaceIsRefusedWithAMessage) {
  const std::string profile = "C:\\Documents and Settings\\User";
  machine.shell.specialFolders[0x10] = profile + "\\Desktop";
  machine.shell.specialFolders[5] = profile + "\\My Documents";
  for (const char* folder : {"C:\\Favorites", "C:\\Elsewhere", "C:\\WINDOWS\\Inf",
                             "C:\\Documents and Settings\\Other", "C:\\Documents and Settings\\User\\Desktop",
                             "C:\\Documents and Settings\\User\\My Documents\\Letters"})
    machine.files.makeFolders(folder);
  ASSERT_EQ(machine.files.makeLink("C:\\Linked", machine.files.hostPath("C:\\Elsewhere")), 0);
  // What the shell reports as Favorites, where a file appears after Enable, and why the
  // guard is refused.
  const struct {
    std::string reported, planted;
    const char* why;
  } cases[] = {
      {"", "C:\\Planted.url", "could not be found"},
      {"Favorites", "C:\\Favorites\\Planted.url", "could not be found"},
      {"C:\\", "C:\\Planted.url", "is a whole drive"},
      {"C:\\Linked", "C:\\Elsewhere\\Planted.url", "is a link or a network folder"},
      {profile + "\\Desktop", profile + "\\Desktop\\New document.txt", "is one of your own folders"},
      {profile + "\\My Documents\\", profile + "\\My Documents\\Report.doc", "is one of your own folders"},
      {profile, profile + "\\notes.txt", "holds other folders of yours"},
      {"C:\\Documents and Settings", "C:\\Documents and Settings\\notes.txt", "holds other folders of yours"},
      {"C:\\Documents and Settings\\Other", "C:\\Documents and Settings\\Other\\ntuser.dat",
       "is a user's profile"},
      {"C:\\WINDOWS", "C:\\WINDOWS\\setup.log", "lies inside Windows"},
      {"c:\\windows\\inf", "C:\\WINDOWS\\Inf\\oem1.inf", "lies inside Windows"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reported);
    if (c.reported.empty())
      machine.shell.specialFolders.erase(6);
    else
      machine.shell.specialFolders[6] = c.reported;
    machine.shell.messageBoxes.clear();
    w.cmdEnableAutoBookMark.click();
    EXPECT_FALSE(app.favouritesWatch.running);
    EXPECT_TRUE(w.cmdEnableAutoBookMark.enabled());
    EXPECT_FALSE(w.cmdDisableAutoBookMark.enabled());
    EXPECT_EQ(machine.files.openWatches(), 0u);
    const std::string named = c.reported.empty() ? "" : " (" + c.reported + ")";
    ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
    EXPECT_EQ(machine.shell.messageBoxes[0].text, "The Favorites folder" + named + " " + c.why +
                                                     ". Auto Bookmark deletes every new file in that folder, so it "
                                                     "was not started.");
    EXPECT_EQ(machine.shell.messageBoxes[0].title, "Quellery");
    write(c.planted);
    app::WaitSeconds(app.os, 0.25);
    EXPECT_TRUE(exists(c.planted));
  }

  // The user's real Favorites still loses a planted favourite, and is told nothing; Windows
  // Vista and later (and Wine) answer it for the shared Favorites too.
  machine.shell.specialFolders[6] = kFavorites;
  machine.shell.specialFolders[0x1f] = kFavorites;
  machine.shell.messageBoxes.clear();
  w.cmdEnableAutoBookMark.click();
  EXPECT_TRUE(w.cmdDisableAutoBookMark.enabled());
  write(favourite("Planted.url"));
  app::WaitSeconds(app.os, 0.25);
  EXPECT_FALSE(exists(favourite("Planted.url")));
  EXPECT_TRUE(machine.shell.messageBoxes.empty());
}

TEST_F(CustomWindow, FavoritesWhereOlderWindowsKeepItIsGuarded) {
  // Windows 98 without profiles, then Windows NT 4 and 98 with them: inside Windows.
  const struct {
    const char* favorites;
    const char* profile;  // null where Windows has no profile folder
  } cases[] = {
      {"C:\\WINDOWS\\Favorites", nullptr},
      {"C:\\WINNT\\Profiles\\User\\Favorites", "C:\\WINNT\\Profiles\\User"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.favorites);
    if (c.profile) {
      machine.shell.windowsDir = "C:\\WINNT";
      machine.shell.systemDir = "C:\\WINNT\\system32";
      machine.shell.specialFolders[40] = c.profile;
    } else {
      machine.shell.specialFolders.erase(40);
    }
    machine.shell.specialFolders[6] = c.favorites;
    machine.files.makeFolders(c.favorites);
    w.cmdEnableAutoBookMark.click();
    const std::string planted = std::string(c.favorites) + "\\Planted.url";
    write(planted);
    app::WaitSeconds(app.os, 0.25);
    EXPECT_FALSE(exists(planted));
    EXPECT_TRUE(machine.shell.messageBoxes.empty());
    w.cmdDisableAutoBookMark.click();
  }
}

TEST_F(CustomWindow, LoadShowsTheBrowsersStartPageAndWhetherTheGuardRuns) {
  machine.registry.setString(CurrentUser, kLastHistory, "HomePage", "http://typed.example/");
  machine.registry.setString(CurrentUser, kIEMain, "Start Page", "http://current.example/");
  // Stored as on, but no guard runs: the buttons offer to enable it.
  machine.registry.setString(CurrentUser, kLastHistory, "BookMarkE", " False ");
  machine.registry.setString(CurrentUser, kLastHistory, "BookMarkD", "True");
  custom::Form_Load(app, app.frmCustom, app.favouritesWatch);
  EXPECT_EQ(w.txthome.text(), "http://current.example/");
  EXPECT_TRUE(w.cmdEnableAutoBookMark.enabled());
  EXPECT_FALSE(w.cmdDisableAutoBookMark.enabled());

  // No start page: the box is empty, whatever was stored.
  TestApp other;
  other.machine.registry.setString(CurrentUser, kLastHistory, "HomePage", "http://typed.example/");
  custom::Form_Load(other.app, other.app.frmCustom, other.app.favouritesWatch);
  EXPECT_EQ(other.app.frmCustom.txthome.text(), "");
}

TEST_F(CustomWindow, SetAndUseBlankWriteTheStartPage) {
  w.txthome.setText("");
  w.cmdSet.click();
  w.txthome.setText("   ");
  w.cmdSet.click();
  ASSERT_EQ(machine.shell.messageBoxes.size(), 2u);
  EXPECT_EQ(machine.shell.messageBoxes[0].text, "Please Add You URL Correctly ");
  EXPECT_EQ(machine.shell.messageBoxes[0].title, "Quellery");
  EXPECT_EQ(machine.shell.messageBoxes[0].type, 0x40u);
  EXPECT_FALSE(machine.registry.exists(CurrentUser, kIEMain, "Start Page"));

  w.txthome.setText("  http://home.example/ ");
  w.cmdSet.click();
  EXPECT_EQ(machine.registry.getString(CurrentUser, kIEMain, "Start Page"), "http://home.example/");

  w.cmdUseBlank.click();
  EXPECT_EQ(machine.registry.getString(CurrentUser, kIEMain, "Start Page"), "about:blank");
  EXPECT_EQ(w.txthome.text(), "about:blank");
}

TEST_F(CustomWindow, OpensModallyAndSavesItsStateWhenClosed) {
  bool mainEnabledWhileOpen = true, shownWhileOpen = false;
  machine.loop.at(now() + 200, [&] {
    mainEnabledWhileOpen = app.frm.form.enabled();
    shownWhileOpen = w.form.visible();
    w.txthome.setText("http://kept.example/");
    w.cmdEnableAutoBookMark.click();
    w.form.onClose();
  });
  app.frm.cookies.cmdIEcustSettings.click();
  EXPECT_FALSE(mainEnabledWhileOpen);
  EXPECT_TRUE(shownWhileOpen);
  EXPECT_TRUE(app.frm.form.enabled());
  EXPECT_FALSE(w.form.visible());
  EXPECT_EQ(stored("HomePage"), "http://kept.example/");
  EXPECT_EQ(stored("BookMarkE"), "False");
  EXPECT_EQ(stored("BookMarkD"), "True");
  // Closing the window leaves the guard running.
  EXPECT_TRUE(app.favouritesWatch.running);
}

}  // namespace
