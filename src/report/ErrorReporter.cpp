#include "report/ErrorReporter.h"

#include "platform/Platform.h"
#include "platform/Registry.h"
#include "platform/RegistryString.h"
#include "report/Inet.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

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

namespace {

// The reporter's own settings; a failed read is not reported, as that would report again.
std::string reporterSetting(platform::Platform& os, const char* name, const std::string& defaultText) {
  try {
    return platform::readStringValue(os.registry, platform::hkey::CurrentUser, "Software\\Quellery", name, defaultText);
  } catch (const std::exception&) {
    return defaultText;
  }
}

}  // namespace

std::string makerServer(platform::Platform& os) {
  // A reserved name (RFC 2606) that never resolves, unless the "WebServer" value says otherwise.
  return reporterSetting(os, "WebServer", "www.quellery.example");
}

std::string probeSite(platform::Platform& os) { return reporterSetting(os, "ProbeSite", kDefaultProbeSite); }

bool IsOnline(platform::Platform& os) {
  platform::Http* http = os.http;
  if (!http || readingConfiguration) return false;
  bool online = false;
  try {
    readingConfiguration = true;
    const std::string url = "http://" + probeSite(os) + "/";
    readingConfiguration = false;
    const std::uintptr_t session = http->internetOpen(kProgramTitle);
    os.loop.doEvents();
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

void ReportError(platform::Platform& os, const std::string& text, long number, const std::string& description) {
  if (number == 0 || readingConfiguration) return;
  try {
    if (!IsOnline(os)) return;
    platform::Http& http = *os.http;
    // An upgrade transfer that runs now is cut off: the object serves one request at a time.
    http.cancel();
    while (http.stillExecuting()) {
      os.loop.doEvents();
      os.loop.doEvents();
      os.loop.waitForEvents(10);
    }
    readingConfiguration = true;
    const std::string server = makerServer(os);
    readingConfiguration = false;
    OpenURL(os, reportAddress(server, text, number, description), nullptr);
  } catch (const std::exception&) {
  }
  readingConfiguration = false;
}

std::string reportText(const ReportTail& tail, const std::string& description) {
  return tail.appendDescription ? tail.text + description : std::string(tail.text);
}

void reportFailure(platform::Platform& os, const ReportTail& tail, long number, const std::string& description) {
  if (number == 0) return;
  ReportError(os, reportText(tail, description), number, description);
}

void reportFailure(platform::Platform& os, const ReportTail& tail, const std::exception& caught) {
  reportFailure(os, tail, errorNumber(caught), caught.what());
}

}  // namespace report
