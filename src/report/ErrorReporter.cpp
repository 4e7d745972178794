#include "report/ErrorReporter.h"

#include "app/App.h"
#include "app/Startup.h"
#include "platform/Registry.h"
#include "report/Inet.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"

namespace report {

namespace {

const char kProgramTitle[] = "Quellery";
// Reserved names (RFC 2606) that never resolve: without configuration nothing leaves the machine.
const char kDefaultProbeSite[] = "online-check.example";

// Set while the reporter reads its configuration, whose own failure must not report again.
bool readingConfiguration = false;

}  // namespace

long errorNumber(const std::exception& e) {
  if (auto* runtime = dynamic_cast<const RuntimeError*>(&e)) return runtime->number;
  return 5;  // "Invalid procedure call or argument", what an untyped failure amounts to
}

std::string percentEncode(const std::string& text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (unsigned char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += digits[c >> 4];
      out += digits[c & 15];
    }
  }
  return out;
}

std::string reportAddress(const std::string& server, const std::string& text, long number,
                          const std::string& description) {
  return "http://" + server + "/error-reporting/error-msg.php?" +
         percentEncode(text + std::to_string(number) + description);
}

std::string probeSite(app::App& app) {
  return settings::tryMyGetSettingString(app, platform::hkey::CurrentUser, "Software\\Quellery", "ProbeSite",
                                         kDefaultProbeSite);
}

bool IsOnline(app::App& app) {
  platform::Http* http = app.os.http;
  if (!http || readingConfiguration) return false;
  bool online = false;
  try {
    readingConfiguration = true;
    const std::string url = "http://" + probeSite(app) + "/";
    readingConfiguration = false;
    const std::uintptr_t session = http->internetOpen(kProgramTitle);
    app.os.loop.doEvents();
    if (session) {
      const std::uintptr_t page = http->internetOpenUrl(
          session, url,
          platform::inetflag::Reload | platform::inetflag::NoCacheWrite | platform::inetflag::KeepConnection);
      if (page) {
        online = true;
        http->internetCloseHandle(page);
      }
      http->internetCloseHandle(session);
    }
  } catch (const std::exception&) {
    online = false;
  }
  readingConfiguration = false;
  return online;
}

void ReportError(app::App& app, const std::string& text, long number, const std::string& description) {
  if (number == 0 || readingConfiguration) return;
  try {
    if (!IsOnline(app)) return;
    platform::Http& http = *app.os.http;
    // An upgrade transfer that runs now is cut off: the object serves one request at a time.
    http.cancel();
    while (http.stillExecuting()) {
      app.os.loop.doEvents();
      app.os.loop.doEvents();
      app.os.loop.waitForEvents(10);
    }
    readingConfiguration = true;
    const std::string server = app::makerServer(app);
    readingConfiguration = false;
    OpenURL(app, reportAddress(server, text, number, description), nullptr);
  } catch (const std::exception&) {
  }
  readingConfiguration = false;
}

std::string reportText(const ReportTail& tail, const std::string& description) {
  return tail.appendDescription ? tail.text + description : std::string(tail.text);
}

void reportFailure(app::App& app, const ReportTail& tail, long number, const std::string& description) {
  if (number == 0) return;
  ReportError(app, reportText(tail, description), number, description);
}

void reportFailure(app::App& app, const ReportTail& tail, const std::exception& caught) {
  reportFailure(app, tail, errorNumber(caught), caught.what());
}

}  // namespace report
