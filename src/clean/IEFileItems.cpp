// Internet Explorer's cache folders, cache entries, browsing history and index files.
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "clean/IEItems.h"
#include "clean/NamedFileRemoval.h"
#include "clean/URLHistory.h"
#include "cookies/CacheEntryRemoval.h"
#include "cookies/CacheWalk.h"
#include "erase/EraseFiles.h"
#include "erase/FolderWalk.h"
#include "erase/PathChecks.h"
#include "erase/RunContext.h"
#include "erase/ShellFolderPaths.h"
#include "erase/WalkRules.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace clean {

namespace {

namespace fileattr = platform::fileattr;

constexpr int kCsidlCookies = 33, kCsidlHistory = 34;
constexpr size_t kBlankBlock = 64 * 1024;
const char* const kHistoryStore = "Internet Explorer's history";

void reportHistoryFailure(const erase::RunContext& run, const std::exception& e) {
  report::reportFailure(run.os, report::tail::ClearIEHistory, e);
}

// Each entry the store held before the clear: Removed when the store no longer lists it.
// Without a store read back afterwards (`after` null) nothing can be told removed.
void recordHistoryOutcome(erase::RunFlags& flags, const std::vector<std::string>& entries, const CURLHistory* after) {
  std::multiset<std::string> left;
  if (after)
    for (const auto& item : *after) left.insert(item->URL());
  for (const std::string& url : entries) {
    const auto it = left.find(url);
    if (!after) {
      erase::record(flags, erase::TargetKind::HistoryEntry, url, 0, erase::Outcome::Failed,
                    "the history could not be read back");
    } else if (it != left.end()) {
      left.erase(it);
      erase::record(flags, erase::TargetKind::HistoryEntry, url, 0, erase::Outcome::Failed, "still in the history");
    } else {
      erase::record(flags, erase::TargetKind::HistoryEntry, url, 0, erase::Outcome::Removed);
    }
  }
}

// Overwrites the index file with blanks in place, block by block: it keeps its length and
// is never created. Blanked only when the name is the file's one name: a link, or a hard
// link to another file, would carry the blanks to data nobody chose.
void blankIndexFile(const erase::RunContext& run, const std::string& path) {
  platform::FileSystem& fs = run.os.files;
  erase::RunFlags& flags = run.flags;
  using erase::Outcome;
  constexpr erase::TargetKind kFile = erase::TargetKind::File;
  long error = 0;
  const std::unique_ptr<platform::OpenFile> file = fs.openFile(path, &error);
  if (!file) {
    if (error == platform::winerr::FileNotFound || error == platform::winerr::PathNotFound) return;
    RecordUnopenedFile(run, path, kFile, error);  // locked while Windows runs: the normal case
    return;
  }
  const platform::FileIdentity identity = file->identity();
  if (identity.attributes == fileattr::Invalid) {
    erase::record(flags, kFile, path, 0, Outcome::Refused, "what the file is cannot be told");
    return;
  }
  if (identity.attributes & fileattr::ReparsePoint) {
    erase::record(flags, kFile, path, 0, Outcome::Refused, kLinkRefused);
    return;
  }
  if (identity.links != 1) {
    erase::record(flags, kFile, path, 0, Outcome::Refused, "the file has other names: the blanks would reach them");
    return;
  }
  uint64_t length = 0;
  error = file->size(&length);
  if (error != platform::winerr::Success) {
    erase::record(flags, kFile, path, 0, Outcome::Failed, erase::describeError(error));
    return;
  }
  erase::removeOrPlan(flags, kFile, path, length, [&] {
    const std::string blanks(kBlankBlock, ' ');
    for (uint64_t at = 0; at < length && error == platform::winerr::Success; at += kBlankBlock) {
      const size_t n = static_cast<size_t>(std::min<uint64_t>(kBlankBlock, length - at));
      error = file->writeAt(at, n == kBlankBlock ? blanks : blanks.substr(0, n));
    }
    if (error == platform::winerr::Success) error = file->flush();
    return erase::resultOf(error);
  });
}

}  // namespace

void ClearIECache(const erase::RunContext& run) {
  const std::string cache = erase::GetInternetCacheFolder(run);
  if (cache.empty()) return;  // never the drive's own "\Content.IE5"
  const std::string cacheFolder = erase::AddBackslash(cache);
  // The cache folder and Content.IE5 are held and checked, and every cache folder is held
  // relative to them: a junction there, or swapped in meanwhile, leads nowhere.
  platform::FileIdentity identity;
  const std::unique_ptr<platform::HeldFolder> held = erase::holdPlainFolder(run, cacheFolder, &identity);
  if (!held) return;
  const std::unique_ptr<platform::HeldFolder> content = erase::HoldPlainChild(run, *held, cacheFolder, "Content.IE5");
  if (!content) return;
  const std::string contentPath = cacheFolder + "Content.IE5\\";
  std::vector<platform::FindData> listing;
  const long listed = content->list(&listing);
  if (listed != platform::winerr::Success) {
    erase::recordGivenUp(run.flags, contentPath, "the cache folder cannot be listed: " + erase::describeError(listed));
    return;
  }
  const erase::WalkRules rules = erase::TreeDeleteRules();
  for (const platform::FindData& entry : listing) {
    if (entry.attributes & fileattr::Hidden) continue;  // the listing shows folders and system entries only
    if (!(entry.attributes & fileattr::Directory)) continue;
    report::resumeNext([&] { erase::RemoveHeldTree(run, *content, contentPath, entry.name, rules); });
  }
}

void CleanTempFiles(const erase::RunContext& run) {
  platform::UrlCache& cache = run.os.urlCache;
  cookies::WalkUrlCache(cache, [&](const cookies::CacheRecord& r) {
    if ((r.type & platform::cacheentry::Normal) && r.localFile.find("Temporary Internet Files") != std::string::npos)
      cookies::RemoveCacheEntry(cache, run.flags, erase::TargetKind::CacheEntry, r.sourceUrl, r.bytes);
  });
}

void ClearIEHistory(const erase::RunContext& run) {
  if (run.flags.abort) return;
  std::unique_ptr<CURLHistory> history;
  try {
    history = std::make_unique<CURLHistory>(run.os.urlHistory);
  } catch (const std::exception& e) {
    reportHistoryFailure(run, e);
    erase::recordGivenUp(run.flags, kHistoryStore, std::string("the history store cannot be opened: ") + e.what());
    return;  // no store: nothing further can be asked of it
  }
  std::vector<std::string> entries;
  for (const auto& item : *history) entries.push_back(item->URL());
  if (erase::collecting(run.flags)) {
    for (const std::string& url : entries)
      erase::record(run.flags, erase::TargetKind::HistoryEntry, url, 0, erase::Outcome::Planned);
    return;
  }
  try {
    history->Clear();
  } catch (const std::exception& e) {
    reportHistoryFailure(run, e);
  }
  bool readBack = false;
  try {
    history->Refresh("", 0);
    readBack = true;
  } catch (const std::exception& e) {
    reportHistoryFailure(run, e);
  }
  recordHistoryOutcome(run.flags, entries, readBack ? history.get() : nullptr);
}

void ClearLockedIndexDat(const erase::RunContext& run) {
  for (int csidl : {kCsidlCookies, kCsidlHistory}) {
    report::resumeNext([&] {
      const std::string folder = erase::GetSpecialFolder(run, csidl);
      if (folder.empty() || run.flags.abort) return;
      blankIndexFile(run, erase::AddBackslash(folder) + "index.dat");
    });
  }
}

}  // namespace clean
