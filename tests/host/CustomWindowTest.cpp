#include <gtest/gtest.h>

#include <unistd.h>

#include "TestApp.h"
#include "app/Startup.h"
#include "app/modTest.h"
#include "custom/BookmarkGuard.h"
#include "custom/FavouritesRule.h"
#include "custom/frmCustom.h"

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
  app::WaitSeconds(app, 0.25);
  EXPECT_FALSE(exists(favourite("Planted.url")));
  EXPECT_TRUE(exists(favourite("Before.url")));
  EXPECT_TRUE(exists(favourite("Planted folder")));
  EXPECT_TRUE(exists(favourite("Links\\Deeper.url")));

  // A change to a favourite that was there leaves it alone too.
  write(favourite("Before.url"));
  write(favourite("Second.url"));
  app::WaitSeconds(app, 0.25);
  EXPECT_TRUE(exists(favourite("Before.url")));
  EXPECT_FALSE(exists(favourite("Second.url")));
}

TEST_F(CustomWindow, AFavouriteStillBeingWrittenIsDeletedOnceItsWriterLetsGo) {
  w.cmdEnableAutoBookMark.click();
  write(favourite("Busy.url"));
  machine.files.lock(favourite("Busy.url"));
  app::WaitSeconds(app, 0.5);
  EXPECT_TRUE(exists(favourite("Busy.url")));
  // No further change is signalled: the retry alone must take it.
  machine.files.unlock(favourite("Busy.url"));
  app::WaitSeconds(app, 0.15);
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
  app::WaitSeconds(app, 0.3);
  EXPECT_TRUE(exists(favourite("After disable.url")));
}

TEST_F(CustomWindow, TheMainWindowsUnloadStopsTheGuard) {
  w.cmdEnableAutoBookMark.click();
  app::Form_Unload(app);
  EXPECT_EQ(machine.files.openWatches(), 0u);
  EXPECT_FALSE(app.favouritesWatch.running);
}

TEST_F(CustomWindow, AFavoritesFolderThatIsNoSafePlaceIsNeverTouched) {
  // Where a file appears after enabling, and what the shell reports as Favorites.
  const struct {
    const char* name;
    std::string folderReported;
    std::string planted;
  } cases[] = {
      {"no folder at all", "", "C:\\Planted.url"},
      {"a relative path", "Favorites", "C:\\Favorites\\Planted.url"},
      {"a drive root", "C:\\", "C:\\Planted.url"},
      {"a link to elsewhere", "C:\\Linked", "C:\\Elsewhere\\Planted.url"},
  };
  machine.files.makeFolders("C:\\Favorites");
  machine.files.makeFolders("C:\\Elsewhere");
  ASSERT_EQ(machine.files.makeLink("C:\\Linked", machine.files.hostPath("C:\\Elsewhere")), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.folderReported.empty())
      machine.shell.specialFolders.erase(6);
    else
      machine.shell.specialFolders[6] = c.folderReported;
    w.cmdEnableAutoBookMark.click();
    write(c.planted);
    app::WaitSeconds(app, 0.25);
    EXPECT_TRUE(exists(c.planted));
    w.cmdDisableAutoBookMark.click();
  }
}

TEST_F(CustomWindow, LoadShowsTheBrowsersStartPageAndTheStoredButtons) {
  machine.registry.setString(CurrentUser, kLastHistory, "HomePage", "http://typed.example/");
  machine.registry.setString(CurrentUser, kLastHistory, "BookMarkE", " False ");
  machine.registry.setString(CurrentUser, kLastHistory, "BookMarkD", "True");
  machine.registry.setString(CurrentUser, kIEMain, "Start Page", "http://current.example/");
  custom::Form_Load(app);
  EXPECT_EQ(w.txthome.text(), "http://current.example/");
  EXPECT_FALSE(w.cmdEnableAutoBookMark.enabled());
  EXPECT_TRUE(w.cmdDisableAutoBookMark.enabled());

  // No start page: the box is empty, whatever was stored.
  TestApp other;
  other.machine.registry.setString(CurrentUser, kLastHistory, "HomePage", "http://typed.example/");
  custom::Form_Load(other.app);
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
