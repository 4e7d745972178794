// The readers of the browsers' own profile lists: Firefox's profiles.ini and Chrome's Local
// State, as the browsers write them and as someone could write them to lead elsewhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browsers/LocalState.h"
#include "browsers/ProfilesIni.h"

namespace {

using Names = std::vector<std::string>;

// "R path" for a relative profile, "A path" for one named whole.
Names profiles(const std::string& ini) {
  Names out;
  for (const browsers::IniProfile& profile : browsers::ReadProfilesIni(ini))
    out.push_back((profile.relative ? "R " : "A ") + profile.path);
  return out;
}

std::string section(int n, const std::string& path, const std::string& relative) {
  return "[Profile" + std::to_string(n) + "]\r\nName=p\r\nIsRelative=" + relative + "\r\nPath=" + path + "\r\n\r\n";
}

TEST(ProfilesIni, AsFirefoxWritesItEveryProfileComesOutInOrder) {
  const std::string ini = "[General]\r\nStartWithLastProfile=1\r\n\r\n" + section(0, "Profiles/a1b2c3d4.default", "1") +
                          section(1, "D:\\Mine\\work", "0") + "[Profile2]\nIsRelative=1\nPath=Profiles/x.y z\n";
  EXPECT_EQ(profiles(ini), (Names{"R Profiles\\a1b2c3d4.default", "A D:\\Mine\\work", "R Profiles\\x.y z"}));
  // Letter case and blanks around keys, and before values, are the reader's own business.
  EXPECT_EQ(profiles("[profile7]\n  path = Profiles/q.default\n isrelative = 1 \n"), Names{"R Profiles\\q.default"});
}

TEST(ProfilesIni, PathsThatLeadElsewhereOrAreSpeltTwoWaysAreLeftOut) {
  const struct {
    const char* path;
    const char* relative;
  } cases[] = {
      {"..\\..\\Other", "1"},
      {"Profiles/../../../x", "1"},
      {"Profiles/./x", "1"},
      {"/Profiles/x", "1"},
      {"Profiles//x", "1"},
      {"C:\\Windows", "1"},
      {"Profiles/CON", "1"},
      {"Profiles/nul.txt", "1"},
      {"Profiles/x.", "1"},
      {"Profiles/x ", "1"},
      {"Profiles/x*", "1"},
      {"", "1"},
      {"C:\\x\\..\\..\\Windows", "0"},
      {"\\\\?\\C:\\x", "0"},
      {"\\\\server\\share\\profile", "0"},
      {"\\x\\profile", "0"},
      {"C:x\\profile", "0"},
      {"C:\\", "0"},
      {"C:\\x\\aux", "0"},
      {"C:/x/profile", "0"},
      {"Profiles/x", "yes"},
  };
  for (const auto& c : cases) EXPECT_EQ(profiles(section(0, c.path, c.relative)), Names{}) << c.path;
  const std::string deep = "C:\\" + std::string(240, 'd');
  EXPECT_EQ(profiles(section(0, deep, "0")), Names{}) << "no room left below it within MAX_PATH";
}

TEST(ProfilesIni, ASectionThatIsUnclearOrAFileTooLargeGivesNothing) {
  EXPECT_EQ(profiles("[Profile0]\nPath=a\nPath=b\nIsRelative=1\n"), Names{}) << "which Path would Firefox take?";
  EXPECT_EQ(profiles("[Profile0]\nPath=a\nIsRelative=1\nIsRelative=0\n"), Names{});
  EXPECT_EQ(profiles("[Profile0]\nPath=a\n"), Names{}) << "no IsRelative";
  EXPECT_EQ(profiles("[General]\nPath=a\nIsRelative=1\n"), Names{}) << "not a profile's section";
  EXPECT_EQ(profiles("[ProfileX]\nPath=a\nIsRelative=1\n"), Names{});
  const std::string good = section(0, "Profiles/a.default", "1");
  EXPECT_EQ(profiles(good + std::string(browsers::kProfilesIniLimit, ';')), Names{});
  EXPECT_EQ(profiles(good + ";" + std::string(1000, ' ')), Names{"R Profiles\\a.default"});
}

TEST(LocalState, TheProfilesChromeListsComeOutInFileOrder) {
  // As Chrome 49 writes it, shortened.
  const std::string text =
      "{\"browser\":{\"last_redirect_origin\":\"\"},\"profile\":{\"info_cache\":{\"Default\":{\"name\":\"First "
      "user\",\"avatar_icon\":\"chrome://theme/IDR_PROFILE_AVATAR_0\",\"active_time\":1.45e9},\"Profile 1\":{\"name\":"
      "\"Work\",\"is_using_default_name\":false,\"gaia_id\":\"\"}},\"last_used\":\"Profile 1\",\"last_active_profiles\":"
      "[\"Profile 1\"]},\"user_experience_metrics\":{\"stability\":{\"exited_cleanly\":true}}}";
  EXPECT_EQ(browsers::ReadChromeProfileNames(text), (Names{"Default", "Profile 1"}));
  EXPECT_EQ(browsers::ReadChromeProfileNames("{\"profile\":{\"info_cache\":{\"Pro\\u0066ile 2\":{}}}}"),
            Names{"Profile 2"});
}

TEST(LocalState, NamesThatAreNoPlainFolderAndTextsThatAreNoJsonGiveNothing) {
  EXPECT_EQ(browsers::ReadChromeProfileNames(
                "{\"profile\":{\"info_cache\":{\"..\":{},\"a\\\\b\":{},\"..\\\\..\\\\x\":{},\"CON\":{},\"x.\":{},"
                "\"C:\":{},\"caf\\u00e9\":{},\"caf\xc3\xa9\":{},\"\":{},\"ok\":{},\"OK\":{}}}}"),
            Names{"ok"});
  const char* unreadable[] = {
      "{\"profile\":{\"info_cache\":{\"Default\":{}}}",    // cut short
      "{\"profile\":{\"info_cache\":{\"Default\":{}}}} x",  // something after it
      "{\"profile\":{\"info_cache\":{\"Default\" {}}}}",    // no colon
      "[\"profile\"]",
      "",
  };
  for (const char* text : unreadable) EXPECT_EQ(browsers::ReadChromeProfileNames(text), Names{}) << text;
  const std::string deep = "{\"x\":" + std::string(70, '[') + std::string(70, ']') +
                           ",\"profile\":{\"info_cache\":{\"Default\":{}}}}";
  EXPECT_EQ(browsers::ReadChromeProfileNames(deep), Names{}) << "nested deeper than the reader goes";
  // A key met twice is read as JSON readers read it: the later one.
  EXPECT_EQ(browsers::ReadChromeProfileNames(
                "{\"profile\":{\"info_cache\":{\"A\":{}}},\"profile\":{\"info_cache\":{\"B\":{}}}}"),
            Names{"B"});
  const std::string big = "{\"profile\":{\"info_cache\":{\"Default\":{}}},\"pad\":\"" +
                          std::string(browsers::kLocalStateLimit, 'p') + "\"}";
  EXPECT_EQ(browsers::ReadChromeProfileNames(big), Names{});
}

}  // namespace
