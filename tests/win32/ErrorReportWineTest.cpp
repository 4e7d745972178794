// Silent error reports through WinINet to an HTTP server of the test's own on loopback.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../LoopbackServer.h"
#include "WinePlatform.h"
#include "report/ErrorReporter.h"
#include "settings/RegistryStrings.h"

using namespace winetest;

namespace {

using testnet::LoopbackServer;
using testnet::Sockets;

std::string percentDecode(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size()) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

// The request line's target, when the line is "GET target HTTP/1.x" with no other blank.
std::string getTarget(const std::string& line) {
  const size_t first = line.find(' '), last = line.rfind(' ');
  if (line.compare(0, 4, "GET ") != 0 || first == last || line.find(' ', first + 1) != last) return "<malformed>";
  if (line.compare(last + 1, 7, "HTTP/1.") != 0) return "<malformed>";
  return line.substr(first + 1, last - first - 1);
}

// Points the program's maker server and probe site elsewhere for one test, then puts
// back what was there.
class ReporterWine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"WebServer", "ProbeSite"})
      saved_.push_back(settings::tryMyGetSettingString(w.app.os, platform::hkey::CurrentUser, kKey, name, kNone));
  }
  void TearDown() override {
    const char* names[] = {"WebServer", "ProbeSite"};
    for (int i = 0; i < 2; ++i) {
      if (saved_[i] == kNone) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
          RegDeleteValueA(key, names[i]);
          RegCloseKey(key);
        }
      } else {
        settings::trySaveSettingString(w.app.os, platform::hkey::CurrentUser, kKey, names[i], saved_[i]);
      }
    }
  }
  void configure(const std::string& server, const std::string& probe) {
    settings::trySaveSettingString(w.app.os, platform::hkey::CurrentUser, kKey, "WebServer", server);
    settings::trySaveSettingString(w.app.os, platform::hkey::CurrentUser, kKey, "ProbeSite", probe);
  }

  static constexpr const char* kKey = "Software\\Quellery";
  static constexpr const char* kNone = "\x01none";
  WinePlatform w;
  Sockets net;
  std::vector<std::string> saved_;
};

}  // namespace

TEST_F(ReporterWine, TheServerDecodesExactlyTextNumberAndDescription) {
  ASSERT_TRUE(net.socket) << "no winsock";
  LoopbackServer server(net);
  configure(server.address(), server.address());
  ASSERT_TRUE(report::IsOnline(w.app.os));

  const std::string text = "ModClean, CleanWindTemp, Path/not found & 100% ";
  const std::string description = "Permission denied?x=1#frag";
  const size_t before = server.requests().size();
  report::ReportError(w.app.os, text, 75, description);

  std::vector<std::string> queries;
  const auto requests = server.requests();
  for (size_t i = before; i < requests.size(); ++i) {
    const std::string target = getTarget(requests[i]);
    EXPECT_NE("<malformed>", target) << requests[i];
    const size_t mark = target.find('?');
    if (mark != std::string::npos) queries.push_back(percentDecode(target.substr(mark + 1)));
  }
  ASSERT_EQ(1u, queries.size());
  EXPECT_EQ(text + "75" + description, queries[0]);
}

TEST_F(ReporterWine, NothingIsSentOffLineOrForErrorNumberZero) {
  ASSERT_TRUE(net.socket) << "no winsock";
  LoopbackServer server(net);
  int closedPort = 0;
  net.close(net.bound(&closedPort));
  configure(server.address(), "127.0.0.1:" + std::to_string(closedPort));
  EXPECT_FALSE(report::IsOnline(w.app.os));
  report::ReportError(w.app.os, "ModClean, FindOS, ", 6, "Overflow");
  EXPECT_TRUE(server.requests().empty());

  configure(server.address(), server.address());
  report::ReportError(w.app.os, "ModClean, FindOS, ", 0, "");
  EXPECT_TRUE(server.requests().empty());
}
