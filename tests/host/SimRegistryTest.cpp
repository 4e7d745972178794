#include <gtest/gtest.h>

#include "platform/WinError.h"
#include "platform/sim/SimRegistry.h"

using namespace platform;
using platform::sim::SimRegistry;

namespace {

std::vector<uint8_t> bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(SimRegistry, StringValueKeepsExactlyTheBytesGivenAndFollowsTheSizeProtocol) {
  SimRegistry reg;
  HKey key = 0;
  ASSERT_EQ(reg.createKey(hkey::CurrentUser, "Software\\A\\B", &key), winerr::Success);
  ASSERT_EQ(reg.setValue(key, "v", regtype::String, reinterpret_cast<const uint8_t*>("0"), 1), winerr::Success);

  uint32_t type = 0, size = 0;
  ASSERT_EQ(reg.queryValue(key, "V", &type, nullptr, &size), winerr::Success);  // names ignore case
  EXPECT_EQ(type, regtype::String);
  EXPECT_EQ(size, 1u);  // no terminator added

  reg.setValue(key, "long", regtype::String, reinterpret_cast<const uint8_t*>("abcdef"), 6);
  uint8_t small[3] = {'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(reg.queryValue(key, "long", &type, small, &size), winerr::MoreData);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(small[0], 'x');  // a short buffer receives nothing
  uint8_t big[8] = {};
  size = sizeof big;
  EXPECT_EQ(reg.queryValue(key, "long", &type, big, &size), winerr::Success);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(big), size), "abcdef");
  EXPECT_EQ(reg.queryValue(key, "missing", &type, nullptr, &size), winerr::FileNotFound);
  reg.closeKey(key);
  EXPECT_EQ(reg.openHandles(), 0u);
}

TEST(SimRegistry, NamesKeepTheirCaseAndEnumerateInInsertionOrder) {
  SimRegistry reg;
  reg.set(hkey::CurrentUser, "Software\\Q", "zeta", regtype::String, bytes("1"));
  reg.set(hkey::CurrentUser, "Software\\Q", "Alpha", regtype::DWord, {1, 0, 0, 0});
  reg.set(hkey::CurrentUser, "SOFTWARE\\q", "ZETA", regtype::String, bytes("2"));  // replaces in place
  reg.set(hkey::CurrentUser, "Software\\Q\\Sub2", "x", regtype::String, {});
  reg.set(hkey::CurrentUser, "Software\\Q\\sub1", "x", regtype::String, {});

  HKey key = 0;
  ASSERT_EQ(reg.openKey(hkey::CurrentUser, "software\\q", &key), winerr::Success);
  std::string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  ASSERT_EQ(reg.enumValue(key, 0, &name, &type, &data), winerr::Success);
  EXPECT_EQ(name, "zeta");
  EXPECT_EQ(data, bytes("2"));
  ASSERT_EQ(reg.enumValue(key, 1, &name, &type, &data), winerr::Success);
  EXPECT_EQ(name, "Alpha");
  EXPECT_EQ(reg.enumValue(key, 2, &name, &type, &data), winerr::NoMoreItems);
  ASSERT_EQ(reg.enumKey(key, 0, &name), winerr::Success);
  EXPECT_EQ(name, "Sub2");
  ASSERT_EQ(reg.enumKey(key, 1, &name), winerr::Success);
  EXPECT_EQ(name, "sub1");
  EXPECT_EQ(reg.enumKey(key, 2, &name), winerr::NoMoreItems);
}

TEST(SimRegistry, DeletingKeysAsWindowsNtDoes) {
  SimRegistry reg;
  reg.set(hkey::CurrentUser, "Software\\T\\Child\\Grand", "v", regtype::String, bytes("x"));
  HKey child = 0, grand = 0;
  ASSERT_EQ(reg.openKey(hkey::CurrentUser, "Software\\T\\Child", &child), winerr::Success);
  ASSERT_EQ(reg.openKey(hkey::CurrentUser, "Software\\T\\Child\\Grand", &grand), winerr::Success);

  EXPECT_EQ(reg.deleteKey(hkey::CurrentUser, "Software\\T\\Child"), winerr::AccessDenied);  // has sub-keys
  EXPECT_TRUE(reg.exists(hkey::CurrentUser, "Software\\T\\Child\\Grand"));
  EXPECT_EQ(reg.deleteKey(hkey::CurrentUser, "Software\\T\\Nope"), winerr::FileNotFound);

  EXPECT_EQ(reg.deleteKey(hkey::CurrentUser, "Software\\T\\Child\\Grand"), winerr::Success);
  EXPECT_EQ(reg.deleteKey(hkey::CurrentUser, "Software\\T\\Child"), winerr::Success);
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\T\\Child"));
  uint32_t size = 0;
  EXPECT_EQ(reg.queryValue(grand, "v", nullptr, nullptr, &size), winerr::KeyDeleted);
  EXPECT_EQ(reg.setValue(child, "w", regtype::String, nullptr, 0), winerr::KeyDeleted);
  EXPECT_EQ(reg.closeKey(child), winerr::Success);
  EXPECT_EQ(reg.closeKey(child), winerr::InvalidHandle);
  EXPECT_EQ(reg.closeKey(hkey::CurrentUser), winerr::Success);  // a root is never really closed
}

TEST(SimRegistry, AccessMaskAndInjectedFaultsAreEnforced) {
  SimRegistry reg;
  reg.set(hkey::CurrentUser, "Software\\F", "keep", regtype::String, bytes("x"));
  HKey readOnly = 0;
  ASSERT_EQ(reg.openKeyEx(hkey::CurrentUser, "Software\\F", regaccess::Read, &readOnly), winerr::Success);
  EXPECT_EQ(reg.setValue(readOnly, "n", regtype::String, reinterpret_cast<const uint8_t*>("1"), 1),
            winerr::AccessDenied);
  EXPECT_EQ(reg.deleteValue(readOnly, "keep"), winerr::AccessDenied);

  reg.makeUndeletable(hkey::CurrentUser, "Software\\F", "keep");
  HKey key = 0;
  ASSERT_EQ(reg.openKey(hkey::CurrentUser, "Software\\F", &key), winerr::Success);
  EXPECT_EQ(reg.deleteValue(key, "keep"), winerr::AccessDenied);
  EXPECT_EQ(reg.deleteKey(hkey::CurrentUser, "Software\\F"), winerr::AccessDenied);
  EXPECT_TRUE(reg.exists(hkey::CurrentUser, "Software\\F", "keep"));

  reg.makeUnopenable(hkey::CurrentUser, "Software\\F");
  EXPECT_EQ(reg.openKey(hkey::CurrentUser, "software\\f", &key), winerr::AccessDenied);
  EXPECT_EQ(reg.createKey(hkey::CurrentUser, "Software\\F", &key), winerr::AccessDenied);

  reg.makeUncreatable(hkey::CurrentUser, "Software\\New\\Deep");
  EXPECT_EQ(reg.createKeyEx(hkey::CurrentUser, "Software\\New\\Deep\\Er", regaccess::AllAccess, &key, nullptr),
            winerr::AccessDenied);
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\New\\Deep"));
}

// Windows follows a link at every component of a path, and at the last one too unless
// REG_OPTION_OPEN_LINK asks for the link itself.
TEST(SimRegistry, ALinkLeadsEveryCallThatNamesAPathThroughIt) {
  SimRegistry reg;
  reg.set(hkey::LocalMachine, "Software\\Target\\Deep", "v", regtype::String, bytes("x"));
  reg.makeLink(hkey::CurrentUser, "Software\\Link", hkey::LocalMachine, "Software\\Target");
  HKey key = 0;
  ASSERT_EQ(reg.createKey(hkey::CurrentUser, "Software\\Link\\Made", &key), winerr::Success);
  reg.closeKey(key);
  EXPECT_TRUE(reg.exists(hkey::LocalMachine, "Software\\Target\\Made"));
  ASSERT_EQ(reg.openKeyAsLink(hkey::CurrentUser, "Software\\Link\\Deep", regaccess::Read, &key), winerr::Success);
  uint32_t size = 0;
  EXPECT_EQ(reg.queryValue(key, "v", nullptr, nullptr, &size), winerr::Success) << "a middle link is followed";
  reg.closeKey(key);

  EXPECT_EQ(reg.openHandles(), 0u);
}

}  // namespace
