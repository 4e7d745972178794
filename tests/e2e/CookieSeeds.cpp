#include "CookieSeeds.h"

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include "Seeding.h"
#include "database/Database.h"
#include "platform/win32/Win32FileSystem.h"

namespace e2e {

namespace {

std::string userName() {
  char name[256] = {};
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? name : "user";
}

std::string cookieFolder() {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COOKIES | CSIDL_FLAG_CREATE, nullptr, 0, path))) return {};
  return path;
}

std::string number(uint32_t value, unsigned bytes) {
  std::string out;
  while (bytes--) out += static_cast<char>((value >> (8 * bytes)) & 0xFF);
  return out;
}

// Opera's tags and fields; an end is a flag, its tag with the top bit set and no length.
constexpr uint32_t kDomain = 0x01, kPath = 0x02, kCookie = 0x03, kDomainEnd = 0x84, kPathEnd = 0x85;
constexpr uint32_t kCookieName = 0x10, kCookieValue = 0x11, kCookieExpiry = 0x12, kPathName = 0x1D, kDomainName = 0x1E;

std::string record(uint32_t tag, const std::string& payload) {
  return number(tag, 1) + number(static_cast<uint32_t>(payload.size()), 2) + payload;
}

}  // namespace

std::string ieCookieEntry(const std::string& host) { return "Cookie:" + userName() + "@" + host + "/"; }

std::string ieCookieFile(const std::string& host) {
  return cookieFolder() + "\\" + userName() + "@" + host + "[1].txt";
}

bool cacheIECookie(const std::string& host, const std::string& text) {
  if (cookieFolder().empty()) return false;
  const std::string file = ieCookieFile(host);
  if (!writeFile(file, text)) return false;
  FILETIME never = {};
  return CommitUrlCacheEntryA(ieCookieEntry(host).c_str(), file.c_str(), never, never,
                              COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr) != FALSE;
}

std::string cachedIECookie(const std::string& host) {
  const std::string entry = ieCookieEntry(host);
  DWORD size = 0;
  GetUrlCacheEntryInfoA(entry.c_str(), nullptr, &size);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return "(not in the cache)";
  std::vector<char> buffer(size);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  if (!GetUrlCacheEntryInfoA(entry.c_str(), info, &size)) return "(not in the cache)";
  return info->lpszLocalFileName ? readFile(info->lpszLocalFileName) : "(an entry without a file)";
}

void forgetIECookie(const std::string& host) { DeleteUrlCacheEntryA(ieCookieEntry(host).c_str()); }

std::vector<std::string> firefoxCookieRows(const std::string& cookiesSqlite) {
  platform::win32::Win32FileSystem files;
  database::OpenResult opened = database::Database::open(files, cookiesSqlite, database::Access::Look);
  if (!opened.database) return {"(cannot open " + cookiesSqlite + ": " + opened.message + ")"};
  database::Statement rows = opened.database->prepare(
      "SELECT id, baseDomain, name, value, host, path, expiry, lastAccessed, creationTime, isSecure, isHttpOnly "
      "FROM moz_cookies ORDER BY id");
  std::vector<std::string> out;
  while (rows.next()) {
    std::string row;
    for (int column = 0; column < 11; ++column) row += (column ? "|" : "") + rows.text(column);
    out.push_back(row);
  }
  if (!rows.ok()) out.push_back("(the rows cannot be read: " + opened.database->lastError() + ")");
  return out;
}

OperaCookies::OperaCookies() : bytes_(number(0x00001000, 4) + number(0x00002000, 4) + number(1, 2) + number(2, 2)) {}

OperaCookies& OperaCookies::domain(const std::string& name) {
  bytes_ += record(kDomain, record(kDomainName, name));
  return *this;
}

OperaCookies& OperaCookies::path(const std::string& name) {
  bytes_ += record(kPath, record(kPathName, name));
  return *this;
}

OperaCookies& OperaCookies::cookie(const std::string& name, const std::string& value) {
  bytes_ += record(
      kCookie, record(kCookieName, name) + record(kCookieValue, value) + record(kCookieExpiry, number(0x71B4A500, 4)));
  return *this;
}

OperaCookies& OperaCookies::endPath() {
  bytes_ += number(kPathEnd, 1);
  return *this;
}

OperaCookies& OperaCookies::endDomain() {
  bytes_ += number(kDomainEnd, 1);
  return *this;
}

std::string OperaCookies::file() const { return bytes_ + number(kDomainEnd, 1); }

}  // namespace e2e
