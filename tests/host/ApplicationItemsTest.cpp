// The applications page's own dangers: a name pattern that would take a piece of a name, a
// version or folder key that is a registry link into the machine's branch, a site folder
// that is a junction leading elsewhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanHarness.h"
#include "erase/NamePattern.h"
#include "program/Startup.h"

namespace {

using erase::Outcome;
using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;
using Names = std::vector<std::string>;

const std::string kHKCU = "HKEY_CURRENT_USER\\";
const std::string kLeads = ": leads to another place in the registry";
const std::string kSkipped = "Skipped: the list leads to another place in the registry";
const std::string kOffice = "Software\\Microsoft\\Office";
const std::string kAppData = "C:\\Documents and Settings\\User\\Application Data";

TEST(NamePatterns, TakeWholeNamesOnly) {
  struct Case {
    const char* patterns;
    const char* name;
    bool taken;
  };
  const Case cases[] = {
      {"Recent File List", "Recent File List", true},
      {"Recent File List", "recent file list", true},
      {"Recent File List", "Recent File List Backup", false},
      {"Recent File List", "Old Recent File List", false},
      {"File#", "File1", true},
      {"File#", "FILE12", true},
      {"File#", "File", false},
      {"File#", "File1 Backup", false},
      {"File#", "File1 ", false},
      {"File#", "Filex", false},
      {"MRU#", "MRUFlags1", false},
      {"MRU#|MRUFlags#", "MRUFlags1", true},
      {"MRU#|MRUFlags#", "MRU", false},
      {"#.0", "12.0", true},
      {"#.0", "12.0 Beta", false},
      {"#.0", ".0", false},
      {"#.0", "Common", false},
      {"#0", "10", true},
      {"{*}", "{75048700-EF1F-11D0-9888-006097DEACF9}", true},
      {"{*}", "Settings", false},
      {"*", "", false},
      {"", "File1", false},
      {"#", "5603", true},
      {"#", "5603 Backup", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(erase::nameMatchesAny(c.patterns, c.name), c.taken) << c.patterns << " / \"" << c.name << "\"";

  EXPECT_TRUE(erase::pathMatchesAny("*\\sys", "KX4H7W2Q\\sys"));
  EXPECT_FALSE(erase::pathMatchesAny("*\\sys", "sys"));
  EXPECT_FALSE(erase::pathMatchesAny("*\\sys", "ab\\cd\\sys"));
  EXPECT_FALSE(erase::pathMatchesAny("*\\sys", "KX4H7W2Q\\sys2"));
  EXPECT_FALSE(erase::pathMatchesAny("", "KX4H7W2Q"));
}

class ApplicationItems : public ::testing::Test, protected PlanCheck {
 protected:
  ApplicationItems() {
    machine.shell.specialFolders[28] = "C:\\Documents and Settings\\User\\Local Settings\\Application Data";
  }
  void tick(const std::string& caption) {
    for (size_t i = 0; i < engine::catalogue().size(); ++i)
      if (engine::catalogue()[i].caption == caption) return tickOnly(static_cast<int>(i));
    FAIL() << caption << " is not in the catalogue";
  }
  long shown(const std::string& line) {
    long count = 0;
    for (const std::string& each : lines()) count += each == line;
    return count;
  }
};

// Two columns of twelve short captions, each unticked at the first start, each telling over
// its tick what it removes.
TEST_F(ApplicationItems, EveryTickFitsThePageIsOffAtFirstAndSaysWhatItRemoves) {
  program::Form_Load(app);
  const auto& ticks = app.frm.itemPage(engine::CleaningGroup::Applications).items;
  ASSERT_FALSE(ticks.empty());
  EXPECT_LE(ticks.size(), 24u);
  for (const ui::CheckBox& box : ticks) {
    EXPECT_LT(box.caption().size(), 30u) << box.caption();
    EXPECT_EQ(box.value(), 0) << box.caption();
    EXPECT_EQ(box.toolTip.rfind("Removes ", 0), 0u) << box.caption() << ": \"" << box.toolTip << "\"";
  }
}

TEST_F(ApplicationItems, AVersionKeyThatIsALinkIsRefusedAndTheOtherVersionsStillGo) {
  machine.registry.setString(LocalMachine, "Software\\Shared Office\\Excel\\Recent Files", "File1", "C:\\a.xls");
  machine.registry.makeLink(CurrentUser, kOffice + "\\11.0", LocalMachine, "Software\\Shared Office");
  machine.registry.setString(CurrentUser, kOffice + "\\12.0\\Excel\\File MRU", "Item 1", "[F00000000]*C:\\b.xlsx");
  tick("Excel Recent Files");
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned),
            Names{"Registry value " + kHKCU + kOffice + "\\12.0\\Excel\\File MRU\\Item 1"});
  EXPECT_EQ(refusals(planned), (Names{"Registry key " + kHKCU + kOffice + "\\11.0\\Excel\\Recent Files" + kLeads,
                                      "Registry key " + kHKCU + kOffice + "\\11.0\\Excel\\Recent File List" + kLeads,
                                      "Registry key " + kHKCU + kOffice + "\\11.0\\Excel\\File MRU" + kLeads}));
  expectRunFollows(planned);
  EXPECT_EQ(machine.registry.getString(LocalMachine, "Software\\Shared Office\\Excel\\Recent Files", "File1"),
            "C:\\a.xls");
  EXPECT_EQ(shown(kSkipped), 1) << "the item said it was done";
}

TEST_F(ApplicationItems, AFolderViewKeyThatIsALinkIsRefusedWholeAndTheOthersGo) {
  const std::string shell = "Software\\Microsoft\\Windows\\ShellNoRoam";
  machine.registry.setString(CurrentUser, shell + "\\BagMRU", "0", "pidl");
  machine.registry.setString(LocalMachine, "Software\\Views\\1\\Shell", "Mode", "4");
  machine.registry.makeLink(CurrentUser, shell + "\\Bags", LocalMachine, "Software\\Views");
  tick("Folder View History");
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned), Names{"Registry key " + kHKCU + shell + "\\BagMRU"});
  EXPECT_EQ(refusals(planned), Names{"Registry key " + kHKCU + shell + "\\Bags" + kLeads});
  expectRunFollows(planned);
  EXPECT_EQ(machine.registry.getString(LocalMachine, "Software\\Views\\1\\Shell", "Mode"), "4");
}

TEST_F(ApplicationItems, ASiteFolderThatIsAJunctionIsNeverWalkedThrough) {
  const std::string objects = kAppData + "\\Macromedia\\Flash Player\\#SharedObjects\\KX4H7W2Q";
  machine.files.makeFolders(objects + "\\news.example");
  ASSERT_EQ(machine.files.writeFile(objects + "\\news.example\\story.sol", "data"), 0);
  machine.files.makeFolders("C:\\Outside");
  ASSERT_EQ(machine.files.writeFile("C:\\Outside\\letter.doc", "keep"), 0);
  ASSERT_EQ(machine.files.makeLink(objects + "\\shop.example", machine.files.hostPath("C:\\Outside")), 0);
  tick("Flash Player Stored Objects");
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned),
            (Names{"File " + objects + "\\news.example\\story.sol", "Folder " + objects + "\\news.example"}));
  EXPECT_EQ(refusals(planned), Names{"Folder " + objects + "\\shop.example: link"});
  expectRunFollows(planned);
  EXPECT_EQ(machine.files.getAttributes("C:\\Outside\\letter.doc") != platform::fileattr::Invalid, true);
}

TEST_F(ApplicationItems, AJavaCacheFolderThatIsAJunctionIsRefusedAndNothingBeyondGoes) {
  const std::string deployment = kAppData + "\\Sun\\Java\\Deployment";
  machine.files.makeFolders(deployment);
  machine.files.makeFolders("C:\\Outside");
  ASSERT_EQ(machine.files.writeFile("C:\\Outside\\letter.doc", "keep"), 0);
  ASSERT_EQ(machine.files.makeLink(deployment + "\\cache", machine.files.hostPath("C:\\Outside")), 0);
  tick("Java Plug-in Cache");
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned), Names{});
  EXPECT_EQ(refusals(planned), Names{"Folder " + deployment + "\\cache: link"});
  expectRunFollows(planned);
  EXPECT_EQ(machine.files.getAttributes("C:\\Outside\\letter.doc") != platform::fileattr::Invalid, true);
}

// A folder that will keep something cannot go: the preview must not promise it, or the run
// would fail on it ("not empty").
TEST_F(ApplicationItems, FoldersHoldingAHiddenFileAreNeitherPromisedNorTried) {
  const std::string cache =
      "C:\\Documents and Settings\\User\\Local Settings\\Application Data\\Sun\\Java"
      "\\Deployment\\cache\\6.0";
  machine.files.makeFolders(cache + "\\12");
  machine.files.makeFolders(cache + "\\13");
  ASSERT_EQ(machine.files.writeFile(cache + "\\12\\3af5-1c2d", "data"), 0);
  ASSERT_EQ(machine.files.writeFile(cache + "\\12\\kept.idx", "data"), 0);
  machine.files.setAttributes(cache + "\\12\\kept.idx", platform::fileattr::Hidden);
  ASSERT_EQ(machine.files.writeFile(cache + "\\13\\77a0-0b1e", "data"), 0);
  tick("Java Plug-in Cache");
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned), (Names{"File " + cache + "\\12\\3af5-1c2d",
                                                     "File " + cache + "\\13\\77a0-0b1e", "Folder " + cache + "\\13"}));
  EXPECT_EQ(refusals(planned), Names{"File " + cache + "\\12\\kept.idx: hidden or system"});
  expectRunFollows(planned);
  EXPECT_NE(machine.files.getAttributes(cache + "\\12\\kept.idx"), platform::fileattr::Invalid);
}

}  // namespace
