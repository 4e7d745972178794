// The WinINet cache and the URL history store as Windows (or Wine) answers them.
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "clean/URLHistory.h"
#include "cookies/CacheWalk.h"
#include "platform/win32/Win32UrlCache.h"
#include "platform/win32/Win32UrlHistory.h"
#include "report/RuntimeError.h"

namespace {

std::string cookiesFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "q6-cookies";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// A cookie entry as Windows files it: both type bits and a file in the Cookies folder.
bool seedCookie(const std::string& userAtSite) {
  const std::string url = "Cookie:" + userAtSite + "/";
  char file[MAX_PATH] = {};
  if (!CreateUrlCacheEntryA(url.c_str(), 0, "txt", file, 0)) return false;
  HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, "k\nv\n", 4, &written, nullptr);
  CloseHandle(h);
  FILETIME zero{};
  return CommitUrlCacheEntryA(url.c_str(), file, zero, zero, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY, nullptr, 0,
                              nullptr, nullptr) != FALSE;
}

std::vector<cookies::CacheRecord> walk(platform::UrlCache& cache) {
  std::vector<cookies::CacheRecord> out;
  cookies::WalkUrlCache(cache, [&](const cookies::CacheRecord& r) { out.push_back(r); });
  return out;
}

}  // namespace

TEST(Win32UrlCache, SizeQueryWalkAndDeleteOfSeededCookies) {
  cookiesFolder();
  ASSERT_TRUE(seedCookie("q6@alpha.example"));
  ASSERT_TRUE(seedCookie("q6@beta.example"));
  platform::win32::Win32UrlCache cache;
  uint32_t size = 0;
  long error = 0;
  EXPECT_EQ(0u, cache.findFirst(nullptr, &size, &error));
  EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, error);
  EXPECT_GT(size, sizeof(platform::CacheEntryHeader));

  int seen = 0;
  for (const auto& r : walk(cache))
    if (r.sourceUrl == "Cookie:q6@alpha.example/" || r.sourceUrl == "Cookie:q6@beta.example/") {
      ++seen;
      EXPECT_EQ(COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY, r.type & (COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY));
      EXPECT_FALSE(r.localFile.empty());
      EXPECT_EQ(4u, r.bytes);  // the cookie file's size, as the record tells it
    }
  EXPECT_EQ(2, seen);

  EXPECT_EQ(0, cache.deleteEntry("Cookie:q6@alpha.example/"));
  EXPECT_NE(0, cache.deleteEntry("Cookie:q6@alpha.example/"));
  seen = 0;
  for (const auto& r : walk(cache)) seen += r.sourceUrl.find("q6@") != std::string::npos;
  EXPECT_EQ(1, seen);
  cache.deleteEntry("Cookie:q6@beta.example/");
}

TEST(Win32UrlHistory, StoreIsCreatedAndItsFailuresReachTheCaller) {
  platform::win32::Win32UrlHistory os;
  std::unique_ptr<platform::UrlHistoryStore> store;
  ASSERT_EQ(0, os.create(&store));
  ASSERT_TRUE(store);
  // Windows enumerates; Wine's store answers E_NOTIMPL, which creation must pass on.
  try {
    clean::CURLHistory history(os);
    EXPECT_GE(history.Count(), 0);
  } catch (const report::RuntimeError& e) {
    EXPECT_EQ(platform::hresult::NotImpl, e.number);
  }
  EXPECT_EQ(u"Caf\u00e9", os.widen("Caf\xe9"));
  EXPECT_EQ("Caf\xe9", os.narrow(u"Caf\u00e9"));
}
