// Reading the head of a file another program wrote, on Wine's real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "WinePlatform.h"
#include "platform/WinError.h"

using namespace winetest;

TEST(FileHeadWine, AtMostTheCapIsReadAndASmallerFileWhole) {
  WinePlatform w;
  ScratchFolder scratch("q11-head");
  const std::string file = scratch.path() + "\\registry.dat";
  std::string big(200000, 'a');
  big[0] = '\0';
  big[150000] = 'z';
  writeFile(file, big);
  std::string head = "stale";
  ASSERT_EQ(w.files.readFileHead(file, 150001, &head), platform::winerr::Success);
  EXPECT_EQ(head.size(), 150001u);
  EXPECT_EQ(head[0], '\0');
  EXPECT_EQ(head[150000], 'z');
  ASSERT_EQ(w.files.readFileHead(file, 1000000, &head), platform::winerr::Success);
  EXPECT_EQ(head.size(), 200000u);
  EXPECT_NE(w.files.readFileHead(scratch.path() + "\\missing.dat", 10, &head), platform::winerr::Success);
}
