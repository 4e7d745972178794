#include "cookies/CookieKeeper.h"

#include <unordered_map>
#include <vector>

#include "app/App.h"
#include "cookies/CacheEntryRemoval.h"
#include "cookies/CacheWalk.h"
#include "erase/WalkRules.h"
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

struct BusyScope {
  BusyScope() { busy = true; }
  ~BusyScope() { busy = false; }
};

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

// The names on the keep list; false when the list exists but cannot be read now.
bool readKeepList(app::App& app, std::vector<std::string>* names) {
  std::string text;
  const long read = app.os.files.readFile(keepListPath(app), &text);
  if (read == platform::winerr::FileNotFound || read == platform::winerr::PathNotFound) return true;  // nothing kept yet
  if (read != platform::winerr::Success) return false;
  *names = textLines(text);
  return true;
}

// False when the keep list cannot be read: a list without its marks must not be saved.
bool markKeptCookies(app::App& app) {
  ui::ListBox& list = app.frm.cookies.lstCookies;
  std::vector<std::string> kept;
  if (!readKeepList(app, &kept)) return false;
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
// keep list cannot be read or the cache walk breaks: then none can be told apart.
bool unkeptByKeepList(app::App& app, std::vector<CacheRecord>* unkept) {
  std::vector<std::string> kept;
  if (!readKeepList(app, &kept)) return false;
  const WalkEnd end = WalkUrlCache(app.os.urlCache, [&](const CacheRecord& r) {
    if ((r.type & kCookieBits) != kCookieBits) return;
    for (const std::string& name : kept)
      if (name == r.sourceUrl) return;
    unkept->push_back(r);
  });
  return end == WalkEnd::Complete;
}

// A cleaning run that starts while the list is being read (scheduler, panic key, shutdown)
// cannot use the half-read list: it reads the cache afresh and spares what the saved keep
// list names. Nothing goes when the keep list cannot be read or the cache walk breaks. A
// run that only collects, with no list read yet, judges the same way and changes nothing.
void deleteUnkeptByKeepList(app::App& app) {
  std::vector<CacheRecord> unkept;
  if (!unkeptByKeepList(app, &unkept)) return;
  if (!erase::collecting(app.flags)) cacheChangedMidRead = true;
  for (const CacheRecord& r : unkept)
    RemoveCacheEntry(app.os.urlCache, app.flags, erase::TargetKind::Cookie, r.sourceUrl, r.bytes);
}

// Deletes the listed cookies, the kept ones spared when `spareKept`. A cleaning run's
// deletions (`run`) are recorded in its plan, and only recorded while it collects; a
// button's are not.
void deleteListed(app::App& app, bool spareKept, engine::RunFlags* run) {
  ui::ListBox& list = app.frm.cookies.lstCookies;
  for (int i = 0; i < list.listCount(); ++i) {
    if (spareKept && list.selected(i)) continue;
    const std::string url = list.list(i);
    const auto read = listedBytes.find(url);
    if (run && read != listedBytes.end())
      RemoveCacheEntry(app.os.urlCache, *run, erase::TargetKind::Cookie, url, read->second);
    else if (!run)
      app.os.urlCache.deleteEntry(url);  // one that is in use stays and shows again
    if ((i + 1) % kRecordsPerYield == 0) erase::yieldOnce(app);
  }
}

// "Delete Unselected", for the button (`run` null) or a cleaning run.
void deleteUnselected(app::App& app, engine::RunFlags* run) {
  if (busy) return;
  if (!app.frm.cookies.filled) cmdGetCache_Click(app);
  // Without a whole list and a readable keep list, the kept cookies cannot be told apart.
  if (!app.frm.cookies.filled) return;
  resumeNext([&] { SaveKeptCookies(app); });
  {
    BusyScope scope;
    resumeNext([&] { deleteListed(app, true, run); });
  }
  cmdGetCache_Click(app);
}

}  // namespace

std::string keepListPath(app::App& app) {
  std::string folder = app.os.system.programFolder();
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "cookies.inf";
}

void cmdGetCache_Click(app::App& app) {
  if (busy) return;
  app::CookieViewer& v = app.frm.cookies;
  resumeNext([&] { SaveKeptCookies(app); });
  // Until this read has completed, the list is not the one the marks belong to.
  v.filled = false;
  BusyScope scope;
  cacheChangedMidRead = false;
  v.fraMessage.setVisible(true);
  erase::yieldOnce(app);
  v.lstCookies.clear();
  listedBytes.clear();
  int records = 0;
  WalkEnd end = WalkEnd::Broken;
  resumeNext([&] {
    end = WalkUrlCache(
        app.os.urlCache,
        [&](const CacheRecord& r) {
          if ((r.type & kCookieBits) != kCookieBits) return;
          v.lstCookies.addItem(r.sourceUrl);
          listedBytes[r.sourceUrl] = r.bytes;
        },
        [&] {
          if (++records % kRecordsPerYield == 0) erase::yieldOnce(app);
        });
  });
  v.fraMessage.setVisible(false);
  bool marked = false;
  resumeNext([&] { marked = markKeptCookies(app); });
  // A list cut short, read while cookies went, or without its marks must not become the
  // keep list.
  v.filled = end == WalkEnd::Complete && !cacheChangedMidRead && marked;
  if (v.lstCookies.listCount() == 0) v.lstCookies.addItem("No Cookies");
}

void SaveKeptCookies(app::App& app) {
  app::CookieViewer& v = app.frm.cookies;
  if (!v.filled || busy) return;
  std::string text;
  for (int i = 0; i < v.lstCookies.listCount(); ++i)
    if (v.lstCookies.selected(i)) text += v.lstCookies.list(i) + "\r\n";
  text += "\r\n";
  // Written beside the old list, which is replaced only by a complete new one: a list cut
  // short by a full disk would lose the cookies it no longer names at the next run.
  const std::string path = keepListPath(app);
  const std::string fresh = path + ".new";
  if (app.os.files.writeFile(fresh, text) != platform::winerr::Success ||
      app.os.files.replaceFile(fresh, path) != platform::winerr::Success)
    app.os.files.deleteFile(fresh);
}

void CleanUnkeptCookies(app::App& app) {
  if (busy) {
    resumeNext([&] { deleteUnkeptByKeepList(app); });
    return;
  }
  if (!erase::collecting(app.flags)) {
    deleteUnselected(app, &app.flags);
    return;
  }
  // What the run would delete, without reading the list into the window or saving marks.
  if (!app.frm.cookies.filled) {
    resumeNext([&] { deleteUnkeptByKeepList(app); });
    return;
  }
  BusyScope scope;
  resumeNext([&] { deleteListed(app, true, &app.flags); });
}

void cmdDeleteSelected_Click(app::App& app) { deleteUnselected(app, nullptr); }

void cmdDeleteAllCache_Click(app::App& app) {
  if (busy) return;
  {
    BusyScope scope;
    resumeNext([&] { deleteListed(app, false, nullptr); });
  }
  cmdGetCache_Click(app);
}

}  // namespace cookies
