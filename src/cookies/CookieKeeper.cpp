#include "cookies/CookieKeeper.h"

#include <unordered_map>
#include <vector>

#include "cookies/CacheEntryRemoval.h"
#include "cookies/CacheWalk.h"
#include "cookies/CookieViewer.h"
#include "cookies/KeptSites.h"
#include "erase/EraseFiles.h"
#include "erase/RunContext.h"
#include "erase/WalkRules.h"
#include "platform/FreshFile.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"

namespace cookies {

using report::resumeNext;

namespace {

constexpr uint32_t kCookieBits = platform::cacheentry::Cookie | platform::cacheentry::Normal;

// Set while the list is read or cookies are deleted. Events dispatched meanwhile may click
// the cookie buttons again or close the window; neither may work on a half-built list.
bool busy = false;
// Set when cookies were deleted while the list was being read: what was read is stale.
bool cacheChangedMidRead = false;
// The size of each cookie of the list, as the cache told it when the list was read.
std::unordered_map<std::string, uint64_t> listedBytes;

// What kept the cookies not kept from being told apart, for the run's report.
struct Stop {
  std::string where, reason;
};
// Why the last read of the list left it unfilled.
Stop unfilledBy;

const char* const kCacheName = "Internet Explorer's cookie cache";

Stop cacheNotWhole() { return {kCacheName, "the cache could not be read whole: no cookie can be told kept"}; }

struct BusyScope {
  BusyScope() { busy = true; }
  ~BusyScope() { busy = false; }
};

// The host a cookie entry is sent to: "Cookie:user@www.example.com/path" to www.example.com.
std::string hostOfEntry(const std::string& url) {
  const size_t at = url.find('@');
  const size_t start = at == std::string::npos ? url.find(':') + 1 : at + 1;
  return url.substr(start, url.find('/', start) - start);
}

void removeCookie(const erase::RunContext& run, const std::string& url, uint64_t bytes) {
  RemoveCacheEntry(run.os.urlCache, run.flags, erase::TargetKind::Cookie, url, bytes, hostOfEntry(url));
}

void recordKept(const erase::RunContext& run, const std::string& url, uint64_t bytes) {
  erase::recordCookie(run.flags, url, hostOfEntry(url), bytes, erase::Outcome::Kept);
}

// The kept sites, or false with `why` when their list cannot be read.
bool readSites(const erase::RunContext& run, KeptSites* sites, Stop* why) {
  std::string reason;
  if (ReadKeptSites(run, sites, &reason)) return true;
  *why = {keptSitesPath(run), reason};
  return false;
}

// Lines as a text reader gives them: ended by CR LF, CR or LF.
std::vector<std::string> textLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

// The names on the keep list; false, with `why`, when the list exists but cannot be read now.
bool readKeepList(const erase::RunContext& run, std::vector<std::string>* names, Stop* why) {
  std::string text;
  const std::string path = keepListPath(run);
  const long read = run.os.files.readFile(path, &text);
  if (read == platform::winerr::FileNotFound || read == platform::winerr::PathNotFound) return true;  // nothing kept yet
  if (read != platform::winerr::Success) {
    *why = {path, "the keep list cannot be read (" + erase::describeError(read) + "): no cookie can be told kept"};
    return false;
  }
  *names = textLines(text);
  return true;
}

// False when the keep list cannot be read: a list without its marks must not be saved.
bool markKeptCookies(const erase::RunContext& run, CookieViewer& viewer, Stop* why) {
  ui::ListBox& list = viewer.lstCookies;
  std::vector<std::string> kept;
  if (!readKeepList(run, &kept, why)) return false;
  // The first entry of each text, as a walk from the top would find it.
  std::unordered_map<std::string, int> first;
  for (int i = list.listCount() - 1; i >= 0; --i) first[list.list(i)] = i;
  for (const std::string& line : kept) {
    auto it = first.find(line);
    if (it != first.end()) list.setSelected(it->second, true);
  }
  return true;
}

// The cookies the saved keep list does not name, read afresh from the cache; false when the
// keep list cannot be read or the cache walk breaks (`why` says which): then none can be
// told apart.
bool unkeptByKeepList(const erase::RunContext& run, std::vector<CacheRecord>* unkept, std::vector<CacheRecord>* kept,
                      Stop* why) {
  std::vector<std::string> names;
  KeptSites sites;
  if (!readKeepList(run, &names, why) || !readSites(run, &sites, why)) return false;
  const WalkEnd end = WalkUrlCache(run.os.urlCache, [&](const CacheRecord& r) {
    if ((r.type & kCookieBits) != kCookieBits) return;
    bool named = sites.keeps(hostOfEntry(r.sourceUrl));
    for (const std::string& name : names) named = named || name == r.sourceUrl;
    (named ? kept : unkept)->push_back(r);
  });
  if (end == WalkEnd::Complete) return true;
  *why = cacheNotWhole();
  return false;
}

// A cleaning run that starts while the list is being read (scheduler, panic key, shutdown)
// cannot use the half-read list: it reads the cache afresh and spares what the saved keep
// list names. Nothing goes when the keep list cannot be read or the cache walk breaks, and
// the run's report says why. A run that only collects, with no list read yet, judges the
// same way and changes nothing.
void deleteUnkeptByKeepList(const erase::RunContext& run) {
  std::vector<CacheRecord> unkept, kept;
  Stop why;
  if (!unkeptByKeepList(run, &unkept, &kept, &why)) {
    erase::recordGivenUp(run.flags, why.where, why.reason);
    return;
  }
  if (!erase::collecting(run.flags)) cacheChangedMidRead = true;
  for (const CacheRecord& r : unkept) removeCookie(run, r.sourceUrl, r.bytes);
  for (const CacheRecord& r : kept) recordKept(run, r.sourceUrl, r.bytes);
}

// Deletes the listed cookies, those the marks or the kept sites keep spared when `kept` is
// given. A cleaning run's deletions (`inRun`) are recorded in its plan, and only recorded
// while it collects; a button's are not.
void deleteListed(const erase::RunContext& run, CookieViewer& viewer, const KeptSites* kept, bool inRun) {
  ui::ListBox& list = viewer.lstCookies;
  for (int i = 0; i < list.listCount(); ++i) {
    const std::string url = list.list(i);
    const auto read = listedBytes.find(url);
    if (kept && (list.selected(i) || kept->keeps(hostOfEntry(url)))) {
      if (inRun && read != listedBytes.end()) recordKept(run, url, read->second);
      continue;
    }
    if (inRun && read != listedBytes.end())
      removeCookie(run, url, read->second);
    else if (!inRun)
      run.os.urlCache.deleteEntry(url);  // one that is in use stays and shows again
    if ((i + 1) % kRecordsPerYield == 0) erase::yieldOnce(run);
  }
}

// "Delete Unselected", for the button (`inRun` false) or a cleaning run.
void deleteUnselected(const erase::RunContext& run, CookieViewer& viewer, bool inRun) {
  if (busy) return;
  if (!viewer.filled) cmdGetCache_Click(run, viewer);
  // Without a whole list and a readable keep list, the kept cookies cannot be told apart.
  if (!viewer.filled) {
    if (inRun) erase::recordGivenUp(run.flags, unfilledBy.where, unfilledBy.reason);
    return;
  }
  resumeNext([&] { SaveKeptCookies(run, viewer); });
  KeptSites sites;
  Stop why;
  if (!readSites(run, &sites, &why)) {
    if (inRun) erase::recordGivenUp(run.flags, why.where, why.reason);
    return;
  }
  {
    BusyScope scope;
    resumeNext([&] { deleteListed(run, viewer, &sites, inRun); });
  }
  cmdGetCache_Click(run, viewer);
}

}  // namespace

std::string keepListPath(const erase::RunContext& run) {
  std::string folder = run.os.system.programFolder();
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "cookies.inf";
}

void cmdGetCache_Click(const erase::RunContext& run, CookieViewer& viewer) {
  if (busy) return;
  CookieViewer& v = viewer;
  resumeNext([&] { SaveKeptCookies(run, viewer); });
  // Until this read has completed, the list is not the one the marks belong to.
  v.filled = false;
  BusyScope scope;
  cacheChangedMidRead = false;
  v.fraMessage.setVisible(true);
  erase::yieldOnce(run);
  v.lstCookies.clear();
  listedBytes.clear();
  int records = 0;
  WalkEnd end = WalkEnd::Broken;
  resumeNext([&] {
    end = WalkUrlCache(
        run.os.urlCache,
        [&](const CacheRecord& r) {
          if ((r.type & kCookieBits) != kCookieBits) return;
          v.lstCookies.addItem(r.sourceUrl);
          listedBytes[r.sourceUrl] = r.bytes;
        },
        [&] {
          if (++records % kRecordsPerYield == 0) erase::yieldOnce(run);
        });
  });
  v.fraMessage.setVisible(false);
  bool marked = false;
  Stop why;
  resumeNext([&] { marked = markKeptCookies(run, viewer, &why); });
  // A list cut short, read while cookies went, or without its marks must not become the
  // keep list.
  v.filled = end == WalkEnd::Complete && !cacheChangedMidRead && marked;
  if (end != WalkEnd::Complete)
    unfilledBy = cacheNotWhole();
  else if (cacheChangedMidRead)
    unfilledBy = {kCacheName, "cookies went while the list was read: no cookie can be told kept"};
  else
    unfilledBy = why;
  if (v.lstCookies.listCount() == 0) v.lstCookies.addItem("No Cookies");
}

void SaveKeptCookies(const erase::RunContext& run, CookieViewer& viewer) {
  CookieViewer& v = viewer;
  if (!v.filled || busy) return;
  std::string text;
  for (int i = 0; i < v.lstCookies.listCount(); ++i)
    if (v.lstCookies.selected(i)) text += v.lstCookies.list(i) + "\r\n";
  text += "\r\n";
  // Written beside the old list, which is replaced only by a complete new one: a list cut
  // short by a full disk would lose the cookies it no longer names at the next run.
  platform::ReplaceWithNewFile(run.os.files, keepListPath(run), text);
}

void CleanUnkeptCookies(const erase::RunContext& run, CookieViewer& viewer) {
  if (busy) {
    resumeNext([&] { deleteUnkeptByKeepList(run); });
    return;
  }
  if (!erase::collecting(run.flags)) {
    deleteUnselected(run, viewer, true);
    return;
  }
  // What the run would delete, without reading the list into the window or saving marks.
  if (!viewer.filled) {
    resumeNext([&] { deleteUnkeptByKeepList(run); });
    return;
  }
  KeptSites sites;
  Stop why;
  if (!readSites(run, &sites, &why)) return erase::recordGivenUp(run.flags, why.where, why.reason);
  BusyScope scope;
  resumeNext([&] { deleteListed(run, viewer, &sites, true); });
}

void cmdDeleteSelected_Click(const erase::RunContext& run, CookieViewer& viewer) { deleteUnselected(run, viewer, false); }

void cmdDeleteAllCache_Click(const erase::RunContext& run, CookieViewer& viewer) {
  if (busy) return;
  {
    BusyScope scope;
    resumeNext([&] { deleteListed(run, viewer, nullptr, false); });
  }
  cmdGetCache_Click(run, viewer);
}

void CookieViewer::removeUnkept(const erase::RunContext& run) { CleanUnkeptCookies(run, *this); }

}  // namespace cookies
