// Internet Explorer's cache folders, cache entries, browsing history and index files.
#include <algorithm>
#include <memory>

#include "app/App.h"
#include "erase/WalkRules.h"
#include "clean/IEItems.h"
#include "clean/URLHistory.h"
#include "cookies/CacheWalk.h"
#include "erase/FolderWalk.h"
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

void reportHistoryFailure(app::App& app, const std::exception& e) {
  report::reportFailure(app, report::tail::ClearIEHistory, e);
}

}  // namespace

void ClearIECache(app::App& app) {
  const std::string cache = erase::GetInternetCacheFolder(app);
  if (cache.empty()) return;  // never the drive's own "\Content.IE5"
  const std::string cacheFolder = erase::AddBackslash(cache);
  // The cache folder and Content.IE5 are held and checked, and every cache folder is held
  // relative to them: a junction there, or swapped in meanwhile, leads nowhere.
  platform::FileIdentity identity;
  const std::unique_ptr<platform::HeldFolder> held = erase::holdPlainFolder(app, cacheFolder, &identity);
  if (!held) return;
  const std::unique_ptr<platform::HeldFolder> content = erase::HoldPlainChild(app, *held, cacheFolder, "Content.IE5");
  if (!content) return;
  const std::string contentPath = cacheFolder + "Content.IE5\\";
  std::vector<platform::FindData> listing;
  if (content->list(&listing) != platform::winerr::Success) return;
  const erase::WalkRules rules = erase::TreeDeleteRules();
  for (const platform::FindData& entry : listing) {
    if (entry.attributes & fileattr::Hidden) continue;  // the listing shows folders and system entries only
    if (!(entry.attributes & fileattr::Directory)) continue;
    report::resumeNext([&] { erase::RemoveHeldTree(app, *content, contentPath, entry.name, rules); });
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
