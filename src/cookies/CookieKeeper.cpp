#include "cookies/CookieKeeper.h"

#include <unordered_map>
#include <vector>

#include "app/App.h"
#include "cookies/CacheWalk.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"

namespace cookies {

using report::resumeNext;

namespace {

constexpr uint32_t kCookieBits = platform::cacheentry::Cookie | platform::cacheentry::Normal;

// Set while the list is read or cookies are deleted. Events dispatched meanwhile may click
// the cookie buttons again or close the window; neither may work on a half-built list.
bool busy = false;

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

void markKeptCookies(app::App& app) {
  ui::ListBox& list = app.frm.cookies.lstCookies;
  std::string text;
  const long read = app.os.files.readFile(keepListPath(app), &text);
  if (read == platform::winerr::FileNotFound || read == platform::winerr::PathNotFound) return;  // nothing kept yet
  if (read != platform::winerr::Success) {
    // A keep list that exists but cannot be read now must not be overwritten by an empty one.
    app.frm.cookies.filled = false;
    return;
  }
  // The first entry of each text, as a walk from the top would find it.
  std::unordered_map<std::string, int> first;
  for (int i = list.listCount() - 1; i >= 0; --i) first[list.list(i)] = i;
  for (const std::string& line : textLines(text)) {
    auto it = first.find(line);
    if (it != first.end()) list.setSelected(it->second, true);
  }
}

void deleteListed(app::App& app, bool sparekept) {
  ui::ListBox& list = app.frm.cookies.lstCookies;
  for (int i = 0; i < list.listCount(); ++i) {
    if (sparekept && list.selected(i)) continue;
    app.os.urlCache.deleteEntry(list.list(i));  // one that is in use stays and shows again
    if ((i + 1) % kRecordsPerYield == 0) app.os.loop.doEvents();
  }
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
  BusyScope scope;
  v.fraMessage.setVisible(true);
  app.os.loop.doEvents();
  v.lstCookies.clear();
  int records = 0;
  WalkEnd end = WalkEnd::Broken;
  resumeNext([&] {
    end = WalkUrlCache(
        app.os.urlCache,
        [&](const CacheRecord& r) {
          if ((r.type & kCookieBits) == kCookieBits) v.lstCookies.addItem(r.sourceUrl);
        },
        [&] {
          if (++records % kRecordsPerYield == 0) app.os.loop.doEvents();
        });
  });
  v.fraMessage.setVisible(false);
  // A list cut short by a failing cache must not become the keep list.
  if (end != WalkEnd::Broken && end != WalkEnd::NotStarted) v.filled = true;
  resumeNext([&] { markKeptCookies(app); });
  if (v.lstCookies.listCount() == 0) v.lstCookies.addItem("No Cookies");
}

void SaveKeptCookies(app::App& app) {
  app::CookieViewer& v = app.frm.cookies;
  if (!v.filled || busy) return;
  std::string text;
  for (int i = 0; i < v.lstCookies.listCount(); ++i)
    if (v.lstCookies.selected(i)) text += v.lstCookies.list(i) + "\r\n";
  text += "\r\n";
  app.os.files.writeFile(keepListPath(app), text);
}

void cmdDeleteSelected_Click(app::App& app) {
  if (busy) return;
  if (!app.frm.cookies.filled) cmdGetCache_Click(app);
  // Without a whole list and a readable keep list, the kept cookies cannot be told apart.
  if (!app.frm.cookies.filled) return;
  resumeNext([&] { SaveKeptCookies(app); });
  {
    BusyScope scope;
    resumeNext([&] { deleteListed(app, true); });
  }
  cmdGetCache_Click(app);
}

void cmdDeleteAllCache_Click(app::App& app) {
  if (busy) return;
  {
    BusyScope scope;
    resumeNext([&] { deleteListed(app, false); });
  }
  cmdGetCache_Click(app);
}

}  // namespace cookies
