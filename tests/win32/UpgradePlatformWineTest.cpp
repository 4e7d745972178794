// What the upgrade asks of the real Windows layer: a body cut off past its limit, the
// shell's silent copy over an existing file, and "qy.exe." naming "qy.exe".
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "../LoopbackServer.h"
#include "WinePlatform.h"
#include "platform/WinError.h"
#include "report/Inet.h"

using namespace winetest;

TEST(UpgradePlatformWine, ABodyPastItsLimitFailsAndAnExactOneArrives) {
  WinePlatform w;
  testnet::Sockets net;
  ASSERT_TRUE(net.socket) << "no winsock";
  testnet::LoopbackServer server(net);
  const std::string page(20000, 'p');
  server.serve("/qypdate.exe", page);
  const std::string url = "http://" + server.address() + "/qypdate.exe";

  std::string body = "untouched";
  EXPECT_FALSE(report::FetchURL(w.app.os, url, &body, page.size() - 1));
  EXPECT_EQ("untouched", body);

  EXPECT_TRUE(report::FetchURL(w.app.os, url, &body, page.size()));
  EXPECT_EQ(page.size(), body.size());
  EXPECT_NE(std::string::npos, report::GetHeader(w.app.os).find("Content-Length: 20000"))
      << report::GetHeader(w.app.os);
}

TEST(UpgradePlatformWine, ShellCopyReplacesAFileAndATrailingDotNamesTheSameFile) {
  WinePlatform w;
  const std::string folder = tempFolder() + "quellery-upgrade-test";
  removeTree(folder);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string copy = folder + "\\qy.exe", program = folder + "\\Quellery.exe";
  ASSERT_EQ(platform::winerr::Success, w.files.writeFile(copy, "new build"));
  ASSERT_EQ(platform::winerr::Success, w.files.writeFile(program, "old build, longer"));

  EXPECT_TRUE(w.files.shellCopyFile(copy, program));
  std::string data;
  EXPECT_EQ(platform::winerr::Success, w.files.readFile(program, &data));
  EXPECT_EQ("new build", data);
  EXPECT_FALSE(w.files.shellCopyFile(folder + "\\missing.exe", program));

  EXPECT_EQ(platform::winerr::Success, w.files.deleteFile(copy + "."));
  EXPECT_FALSE(exists(copy));
  removeTree(folder);
}
