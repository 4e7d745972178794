#include <gtest/gtest.h>

#include <algorithm>

#include "TestApp.h"
#include "platform/sim/SimHttp.h"
#include "program/Startup.h"
#include "report/ErrorReporter.h"
#include "report/Inet.h"
#include "report/ReportTexts.h"
#include "settings/RegistryStrings.h"

using namespace platform;

namespace {

std::string decoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

class ErrorReporter : public ::testing::Test, protected TestApp {
 protected:
  ErrorReporter() {
    machine.platform().http = &http;
    machine.registry.setString(hkey::CurrentUser, "Software\\Quellery", "WebServer", "127.0.0.1:8080");
    machine.registry.setString(hkey::CurrentUser, "Software\\Quellery", "ProbeSite", "127.0.0.1:8081");
  }
  // The decoded query of the one report sent.
  std::string sentQuery() {
    EXPECT_EQ(http.requests.size(), 1u);
    if (http.requests.empty()) return {};
    const std::string url = http.requests.back();
    const std::string base = "http://127.0.0.1:8080/error-reporting/error-msg.php?";
    EXPECT_EQ(url.compare(0, base.size(), base), 0) << url;
    EXPECT_EQ(url.find(' '), std::string::npos) << "a blank makes the request line malformed";
    return decoded(url.substr(base.size()));
  }
  size_t position(const std::string& entry) {
    return std::find(http.log.begin(), http.log.end(), entry) - http.log.begin();
  }
  sim::SimHttp http;
};

TEST_F(ErrorReporter, SendsTheTextNumberAndDescriptionWithNothingBetween) {
  report::reportFailure(app.os, report::tail::timPanic_Timer, 6, "Overflow");
  EXPECT_EQ(sentQuery(), "frmMain, timePanic_Timer, Overflow6Overflow");
  // Probe first: the program's title as agent, the root page, reload, no cache write, keep-alive.
  ASSERT_GE(http.log.size(), 3u);
  EXPECT_EQ(http.log[0], "InternetOpenA Quellery");
  EXPECT_EQ(http.log[1], "InternetOpenUrlA http://127.0.0.1:8081/ " + std::to_string(0x84400000u));
  EXPECT_EQ(http.openHandles, 0);
}

TEST_F(ErrorReporter, FixedTextsCarryOnlyTheNumberAndDescription) {
  report::reportFailure(app.os, report::tail::CleanScanDiskFiles, 53, "File not found");
  EXPECT_EQ(sentQuery(), "CleanScanDiskFiles, ModClean 53File not found");
  http.requests.clear();
  report::reportFailure(app.os, report::tail::cmdShredBrowse_Click, 75, "Path/File access error");
  EXPECT_EQ(sentQuery(), "frmMain, cmdShredBrowse_Click75Path/File access error");
  http.requests.clear();
  // Characters with a meaning in a URL arrive as they were.
  report::ReportError(app.os, "a&b=c#d?e+f%g 100%", -2147024891, "x/y");
  EXPECT_EQ(sentQuery(), "a&b=c#d?e+f%g 100%-2147024891x/y");
}

TEST_F(ErrorReporter, ErrorNumberZeroAndOffLineSendNothing) {
  report::ReportError(app.os, "frmCustom,FormLoad, ", 0, "");
  EXPECT_TRUE(http.log.empty());

  http.online = false;
  report::ReportError(app.os, "ModClean, EmptyRecylbin, x", 5, "x");
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(position("cancel"), http.log.size()) << "an off-line report leaves a running transfer alone";
  EXPECT_EQ(http.openHandles, 0);

  http.online = true;
  http.internetOpens = false;
  report::ReportError(app.os, "ModClean, EmptyRecylbin, x", 5, "x");
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(ErrorReporter, CutsOffARunningTransferAndWaitsForItBeforeSending) {
  http.pollsPerRequest = 1000;  // an upgrade download in progress
  const uint32_t download = http.startRequest("http://127.0.0.1:8080/qypdate.exe", report::kMaxBody);
  http.pollsPerRequest = 0;
  const uint64_t dispatchesBefore = machine.loop.dispatchCount();

  report::ReportError(app.os, "mdPanic, CheckAllWindows, Bad", 9, "Bad");

  const size_t cancel = position("cancel");
  ASSERT_LT(cancel, http.log.size());
  EXPECT_EQ(http.log[cancel + 1], "executing 1");
  EXPECT_EQ(http.log[cancel + 2], "executing 1");
  EXPECT_EQ(http.log[cancel + 3], "executing 0");
  EXPECT_EQ(http.log[cancel + 4].rfind("start http://127.0.0.1:8080/error-reporting/", 0), 0u);
  // Two dispatches per look while waiting, one in the probe.
  EXPECT_GE(machine.loop.dispatchCount() - dispatchesBefore, 5u);
  std::string body;
  EXPECT_FALSE(http.takeResponse(download, &body)) << "the cut-off download has no result";
  ASSERT_EQ(http.requests.size(), 2u);
}

TEST_F(ErrorReporter, ServersComeFromTheRegistryWithDefaultsThatReachNoHost) {
  EXPECT_EQ(report::makerServer(app.os), "127.0.0.1:8080");
  EXPECT_EQ(report::probeSite(app.os), "127.0.0.1:8081");
  TestApp fresh;
  EXPECT_EQ(report::makerServer(fresh.app.os), "www.quellery.example");
  EXPECT_EQ(report::probeSite(fresh.app.os), "online-check.example");
  EXPECT_FALSE(report::IsOnline(fresh.app.os)) << "a machine off line sends nothing";
  report::ReportError(fresh.app.os, "x", 1, "y");  // and no failure
}

TEST_F(ErrorReporter, OpenUrlKeepsTheWindowAliveAndGivesTheBody) {
  http.pollsPerRequest = 3;
  http.body = "1.2";
  std::string body;
  const uint64_t before = machine.loop.dispatchCount();
  EXPECT_TRUE(report::OpenURL(app.os, "http://127.0.0.1:8080/qy.txt", &body));
  EXPECT_EQ(body, "1.2");
  EXPECT_EQ(machine.loop.dispatchCount() - before, 3u);
  EXPECT_EQ(report::GetHeader(app.os).rfind("HTTP/1.1 200 OK", 0), 0u);
}

}  // namespace
