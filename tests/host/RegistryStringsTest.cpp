#include <gtest/gtest.h>

#include <algorithm>

#include "TestApp.h"
#include "settings/RegistryStrings.h"

using namespace platform;
using settings::trySaveSettingString;
using settings::tryMyGetSettingString;

namespace {

class RegistryStrings : public ::testing::Test, protected TestApp {
 protected:
  sim::SimRegistry& reg = machine.registry;
  bool called(const std::string& call) {
    return std::find(reg.calls.begin(), reg.calls.end(), call) != reg.calls.end();
  }
};

TEST_F(RegistryStrings, SaveCreatesEveryParentAndStoresTheCharactersWithoutATerminator) {
  trySaveSettingString(app.os, hkey::CurrentUser, "Software\\Quellery\\Deep\\Er", "Folder", "C:\\x y");
  EXPECT_TRUE(called("RegCreateKeyExA HKEY_CURRENT_USER\\Software\\Quellery\\Deep\\Er 0x2001F"));
  EXPECT_TRUE(called("RegSetValueExA HKEY_CURRENT_USER\\Software\\Quellery\\Deep\\Er Folder type=1 size=6"));
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(reg.get(hkey::CurrentUser, "Software\\Quellery\\Deep\\Er", "Folder", &type, &bytes));
  EXPECT_EQ(type, regtype::String);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "C:\\x y");

  trySaveSettingString(app.os, hkey::CurrentUser, "Software\\Quellery", "Empty", "");
  ASSERT_TRUE(reg.get(hkey::CurrentUser, "Software\\Quellery", "Empty", &type, &bytes));
  EXPECT_EQ(type, regtype::String);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(reg.openHandles(), 0u);
}

TEST_F(RegistryStrings, ReadGivesTheDefaultForMissingOrNonStringValuesAndCreatesNothing) {
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Nobody", "v", "dflt"), "dflt");
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\Nobody"));
  EXPECT_TRUE(called("RegOpenKeyA HKEY_CURRENT_USER\\Software\\Nobody"));

  reg.setDword(hkey::CurrentUser, "Software\\Q", "dword", 7);
  reg.set(hkey::CurrentUser, "Software\\Q", "binary", regtype::Binary, {'a', 'b'});
  reg.set(hkey::CurrentUser, "Software\\Q", "expand", regtype::ExpandString, {'a', 0});
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "dword", "d"), "d");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "binary", "d"), "d");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "expand", "d"), "d");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "missing", "d"), "d");

  reg.makeUnopenable(hkey::CurrentUser, "Software\\Locked");
  reg.setString(hkey::CurrentUser, "Software\\Locked", "v", "secret");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Locked", "v", "d"), "d");
  EXPECT_EQ(reg.openHandles(), 0u);
}

TEST_F(RegistryStrings, ReadStopsAtTheFirstZero) {
  reg.set(hkey::CurrentUser, "Software\\Q", "embedded", regtype::String, {'a', 'b', 0, 'c'});
  reg.set(hkey::CurrentUser, "Software\\Q", "leading", regtype::String, {0, 'x'});
  reg.set(hkey::CurrentUser, "Software\\Q", "terminated", regtype::String, {'o', 'k', 0});
  reg.set(hkey::CurrentUser, "Software\\Q", "bare", regtype::String, {'o', 'k'});
  reg.set(hkey::CurrentUser, "Software\\Q", "empty", regtype::String, {});
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "embedded", "d"), "ab");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "leading", "d"), "");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "terminated", "d"), "ok");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "bare", "d"), "ok");
  EXPECT_EQ(tryMyGetSettingString(app.os, hkey::CurrentUser, "Software\\Q", "empty", "d"), "");
}

TEST_F(RegistryStrings, SaveIntoAKeyThatCannotBeCreatedStoresNothing) {
  reg.makeUncreatable(hkey::CurrentUser, "Software\\Denied");
  trySaveSettingString(app.os, hkey::CurrentUser, "Software\\Denied\\Sub", "v", "x");
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\Denied"));
  EXPECT_EQ(reg.openHandles(), 0u);
}

}  // namespace
