// Registry value and setting-string routines on Wine's registry, under a key of the
// test's own.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <string>

#include "WinePlatform.h"
#include "erase/modCleanItem.h"
#include "settings/RegistryStrings.h"

using namespace winetest;
using platform::hkey::CurrentUser;

namespace {

const char kKey[] = "Software\\QuelleryWineTest\\q3";

class RegistryWine : public ::testing::Test {
 protected:
  void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuelleryWineTest"); }
  void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuelleryWineTest"); }

  static void setRaw(const char* name, DWORD type, const std::string& bytes) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                             nullptr));
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }
  static bool keyExists(const char* subKey) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  WinePlatform w;
};

}  // namespace

TEST_F(RegistryWine, ReadRegStringTakesPlainStringsOnly) {
  setRaw("expand", REG_EXPAND_SZ, std::string("%TEMP%\\x", 9));
  setRaw("plain", REG_SZ, std::string("%TEMP%\\x", 9));
  setRaw("number", REG_DWORD, std::string("\1\0\0\0", 4));
  EXPECT_EQ("", erase::ReadRegString(w.app.run(), CurrentUser, kKey, "expand"));
  EXPECT_EQ("", erase::ReadRegString(w.app.run(), CurrentUser, kKey, "number"));
  EXPECT_EQ("", erase::ReadRegString(w.app.run(), CurrentUser, kKey, "missing"));
  EXPECT_EQ("%TEMP%\\x", erase::ReadRegString(w.app.run(), CurrentUser, kKey, "plain"));
}

TEST_F(RegistryWine, WriteRegValueOfZeroReadsBackAsZeroAndDeleteRemovesIt) {
  erase::WriteRegValue(w.app.run(), CurrentUser, kKey, "flag", "0", 1);
  EXPECT_EQ("0", erase::ReadRegString(w.app.run(), CurrentUser, kKey, "flag"));
  char data[16] = {};
  DWORD type = 0, size = sizeof data;
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "flag", nullptr, &type, reinterpret_cast<BYTE*>(data), &size));
  RegCloseKey(key);
  EXPECT_EQ(DWORD(REG_SZ), type);
  EXPECT_STREQ("0", data);  // the size is Wine's to choose: it adds a terminator

  erase::DeleteRegValue(w.app.run(), CurrentUser, kKey, "flag");
  EXPECT_EQ("", erase::ReadRegString(w.app.run(), CurrentUser, kKey, "flag"));
}

TEST_F(RegistryWine, SettingStringsRoundTripAndMissingOnesCreateNothing) {
  settings::trySaveSettingString(w.app.os, CurrentUser, std::string(kKey) + "\\deep\\er", "Name", "Some text");
  EXPECT_EQ("Some text", settings::tryMyGetSettingString(w.app.os, CurrentUser, std::string(kKey) + "\\deep\\er",
                                                         "Name", "default"));
  settings::trySaveSettingString(w.app.os, CurrentUser, kKey, "Empty", "");
  EXPECT_EQ("", settings::tryMyGetSettingString(w.app.os, CurrentUser, kKey, "Empty", "default"));

  EXPECT_EQ("default", settings::tryMyGetSettingString(w.app.os, CurrentUser, kKey, "Absent", "default"));
  EXPECT_EQ("default",
            settings::tryMyGetSettingString(w.app.os, CurrentUser, std::string(kKey) + "\\none", "Absent", "default"));
  EXPECT_FALSE(keyExists("Software\\QuelleryWineTest\\q3\\none"));
  setRaw("expand", REG_EXPAND_SZ, std::string("x", 2));
  EXPECT_EQ("default", settings::tryMyGetSettingString(w.app.os, CurrentUser, kKey, "expand", "default"));
}

TEST_F(RegistryWine, SettingStringsStopAtTheFirstZero) {
  setRaw("embedded", REG_SZ, std::string("ab\0c", 4));
  setRaw("leading", REG_SZ, std::string("\0x", 2));
  setRaw("terminated", REG_SZ, std::string("ok\0", 3));
  EXPECT_EQ("ab", settings::tryMyGetSettingString(w.app.os, CurrentUser, kKey, "embedded", "d"));
  EXPECT_EQ("", settings::tryMyGetSettingString(w.app.os, CurrentUser, kKey, "leading", "d"));
  EXPECT_EQ("ok", settings::tryMyGetSettingString(w.app.os, CurrentUser, kKey, "terminated", "d"));
}
