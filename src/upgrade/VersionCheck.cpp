#include "platform/Platform.h"
#include "report/ErrorReporter.h"
#include "report/Inet.h"
#include "settings/RegistryStrings.h"
#include "upgrade/Upgrade.h"

namespace upgrade {

namespace {

// The version file holds one number; anything longer is not it.
constexpr uint64_t kVersionFileLimit = 1024;

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int32_t announcedSize(platform::Platform& os, const std::string& url) {
  // The body is fetched and thrown away: only the headers are wanted. A failed fetch has
  // no headers of its own, and the last ones belong to another request.
  if (!report::FetchURL(os, url, nullptr)) return 0;
  return contentLength(report::GetHeader(os));
}

}  // namespace

int32_t contentLength(const std::string& headers) {
  if (headers.find("404") != std::string::npos) return 0;
  const size_t name = headers.find("Content-Length:");
  if (name == std::string::npos) return 0;
  size_t begin = name + 15, end = headers.find("\r\n", begin);
  if (end == std::string::npos) end = headers.size();
  while (begin < end && blank(headers[begin])) ++begin;
  while (end > begin && blank(headers[end - 1])) --end;
  if (begin == end || end - begin > 10) return 0;
  int64_t value = 0;
  for (size_t i = begin; i < end; ++i) {
    if (headers[i] < '0' || headers[i] > '9') return 0;  // not a length: as if missing
    value = value * 10 + (headers[i] - '0');
  }
  return value > INT32_MAX ? 0 : int32_t(value);
}

int32_t GetRemoteFileSize(platform::Platform& os, const std::string& url) { return announcedSize(os, url); }

int16_t versionNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && blank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    digits = true;
    value = value * 10 + (text[i] - '0');
    if (value > 32768) return 0;  // past 16 bits: no defined version, so none
  }
  if (!digits) return 0;
  if (negative) value = -value;
  return value > 32767 ? 0 : int16_t(value);
}

std::string serverUrl(platform::Platform& os) { return "http://" + report::makerServer(os); }

std::string programPath(platform::Platform& os, const char* name) { return os.system.programFolder() + "\\" + name; }

bool IsUpgradeAvailable(platform::Platform& os, const std::string& installed, std::string* newVersion) {
  if (!report::IsOnline(os)) return false;
  const std::string url = serverUrl(os) + "/qy.txt";
  if (GetRemoteFileSize(os, url) < 1) return false;
  std::string text;
  // A failed fetch says nothing of the server's version; read as 0 it would lower "ver".
  if (!report::FetchURL(os, url, &text, kVersionFileLimit)) return false;
  const int16_t remote = versionNumber(text), local = versionNumber(installed);
  if (local < remote) {
    *newVersion = std::to_string(remote);
    return true;
  }
  if (remote < local) {
    *newVersion = std::to_string(remote);
    settings::trySaveSettingString(os, platform::hkey::LocalMachine, kStateKey, "ver", *newVersion);
  }
  return false;
}

}  // namespace upgrade
