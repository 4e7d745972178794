// Internet Explorer's cache folders, cache entries, browsing history and index files.
#include <algorithm>
#include <memory>

#include "app/App.h"
#include "erase/WalkRules.h"
#include "app/modTest.h"
#include "clean/IEItems.h"
#include "clean/URLHistory.h"
#include "cookies/CacheWalk.h"
#include "erase/PathChecks.h"
#include "erase/ShellFolderPaths.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace clean {

namespace {

namespace fileattr = platform::fileattr;

constexpr int kCsidlCookies = 33, kCsidlHistory = 34;
constexpr size_t kBlankBlock = 64 * 1024;

// Deletes the files of one folder that match a mask; a file that cannot go stays.
void killMatching(platform::FileSystem& fs, const std::string& folder, const char* mask) {
  std::vector<platform::FindData> found;
  if (fs.findFiles(folder + mask, &found) != platform::winerr::Success) return;
  for (const platform::FindData& f : found)
    if (!(f.attributes & (fileattr::Directory | fileattr::Hidden | fileattr::System))) fs.deleteFile(folder + f.name);
}

void reportHistoryFailure(app::App& app, const std::exception& e) {
  report::reportFailure(app, report::tail::ClearIEHistory, e);
}

}  // namespace

void ClearIECache(app::App& app) {
  platform::FileSystem& fs = app.os.files;
  const std::string cache = erase::GetInternetCacheFolder(app);
  if (cache.empty()) return;  // never the drive's own "\Content.IE5"
  const std::string content = erase::AddBackslash(cache) + "Content.IE5\\";
  std::vector<platform::FindData> listing;
  if (fs.findFiles(content + "*", &listing) != platform::winerr::Success) return;
  static const char* const kMasks[] = {"*.gif", "*.htm", "*.cab", "*.jpg", "*.css", "*.swf", "*.mid", "*.wav",
                                       "*.mpg", "*.avi", "*.ini", "*",     "*.exe", "*.dll", "*.*"};
  for (const platform::FindData& entry : listing) {
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.attributes & fileattr::Hidden) continue;  // the listing shows folders and system entries only
    if (!(entry.attributes & fileattr::Directory)) continue;
    if (entry.attributes & fileattr::ReparsePoint) continue;  // a link leads out of the cache
    const std::string sub = content + entry.name + "\\";
    {
      // Held while its files go, so that it cannot be swapped for a link meanwhile.
      platform::FileIdentity identity;
      const std::unique_ptr<platform::HeldFolder> held = erase::holdPlainFolder(app, sub, &identity);
      if (!held) continue;
      report::resumeNext([&] { fs.setAttributes(content + entry.name, fileattr::Normal); });
      for (const char* mask : kMasks) report::resumeNext([&] { killMatching(fs, sub, mask); });
    }
    report::resumeNext([&] { app::DeleteFolderTree(app, sub); });
  }
}

void CleanTempFiles(app::App& app) {
  platform::UrlCache& cache = app.os.urlCache;
  cookies::WalkUrlCache(cache, [&](const cookies::CacheRecord& r) {
    if ((r.type & platform::cacheentry::Normal) && r.localFile.find("Temporary Internet Files") != std::string::npos)
      cache.deleteEntry(r.sourceUrl);  // one in use stays
  });
}

void ClearIEHistory(app::App& app) {
  if (app.flags.abort) return;
  std::unique_ptr<CURLHistory> history;
  try {
    history = std::make_unique<CURLHistory>(app.os.urlHistory);
  } catch (const std::exception& e) {
    reportHistoryFailure(app, e);
    return;  // no store: nothing further can be asked of it
  }
  try {
    history->Clear();
  } catch (const std::exception& e) {
    reportHistoryFailure(app, e);
  }
  try {
    history->Refresh("", 0);
  } catch (const std::exception& e) {
    reportHistoryFailure(app, e);
  }
}

void ClearLockedIndexDat(app::App& app) {
  platform::FileSystem& fs = app.os.files;
  for (int csidl : {kCsidlCookies, kCsidlHistory}) {
    report::resumeNext([&] {
      const std::string folder = erase::GetSpecialFolder(app, csidl);
      if (folder.empty() || app.flags.abort) return;
      long error = 0;
      const std::unique_ptr<platform::OpenFile> file = fs.openFile(erase::AddBackslash(folder) + "index.dat", &error);
      if (!file) return;  // locked while Windows runs: the normal case
      // Blanked only when the name is the file's one name: a link, or a hard link to
      // another file, would carry the blanks to data nobody chose.
      const platform::FileIdentity identity = file->identity();
      if (identity.attributes == fileattr::Invalid || (identity.attributes & fileattr::ReparsePoint) ||
          identity.links != 1)
        return;
      uint64_t length = 0;
      if (file->size(&length) != platform::winerr::Success) return;
      // Written in place, block by block: the file keeps its length and is never created.
      const std::string blanks(kBlankBlock, ' ');
      for (uint64_t at = 0; at < length; at += kBlankBlock) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(kBlankBlock, length - at));
        if (file->writeAt(at, n == kBlankBlock ? blanks : blanks.substr(0, n)) != platform::winerr::Success) return;
      }
      file->flush();
    });
  }
}

}  // namespace clean
