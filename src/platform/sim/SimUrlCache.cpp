#include "platform/sim/SimUrlCache.h"

#include <algorithm>
#include <cstring>

#include "platform/WinError.h"

namespace platform::sim {

namespace {

// Room the platform's record has after the leading fields we read.
constexpr uint32_t kFixedPart = sizeof(CacheEntryHeader) + 64;

uint32_t recordSize(const std::string& url, const std::string& file) {
  return kFixedPart + static_cast<uint32_t>(url.size() + 1 + file.size() + 1);
}

}  // namespace

void SimUrlCache::add(const std::string& url, const std::string& localFile, uint32_t type, uint64_t bytes) {
  auto it = index_.find(url);
  if (it != index_.end() && !entries_[it->second].deleted) {
    entries_[it->second] = {url, localFile, type, bytes};
    return;
  }
  index_[url] = entries_.size();
  entries_.push_back({url, localFile, type, bytes});
}

void SimUrlCache::addCookie(const std::string& userAtSite, const std::string& cookiesFolder, uint64_t bytes) {
  std::string file = userAtSite;
  std::replace(file.begin(), file.end(), '/', '[');
  add("Cookie:" + userAtSite + "/", cookiesFolder + "\\" + file + "1].txt",
      cacheentry::Cookie | cacheentry::Normal, bytes);
}

bool SimUrlCache::contains(const std::string& url) const {
  auto it = index_.find(url);
  return it != index_.end() && !entries_[it->second].deleted;
}

std::vector<std::string> SimUrlCache::urls() const {
  std::vector<std::string> out;
  for (const Entry& e : entries_)
    if (!e.deleted) out.push_back(e.url);
  return out;
}

long SimUrlCache::fill(Find& find, void* buffer, uint32_t* size) {
  while (find.pos < find.order.size() && entries_[find.order[find.pos]].deleted) ++find.pos;
  if (find.pos >= find.order.size()) return winerr::NoMoreItems;
  const Entry& e = entries_[find.order[find.pos]];
  const uint32_t needed = recordSize(e.url, e.localFile);
  auto fake = reportedSize.find(find.pos);
  if (!buffer || *size < needed) {
    ++sizeQueries;
    *size = fake != reportedSize.end() ? fake->second : needed;
    return winerr::InsufficientBuffer;
  }
  auto* bytes = static_cast<char*>(buffer);
  std::memset(bytes, 0, needed);
  char* url = bytes + kFixedPart;
  char* file = url + e.url.size() + 1;
  std::memcpy(url, e.url.c_str(), e.url.size() + 1);
  std::memcpy(file, e.localFile.c_str(), e.localFile.size() + 1);
  CacheEntryHeader header{kFixedPart, url, e.localFile.empty() ? nullptr : file, e.type, 0, 0,
                          static_cast<uint32_t>(e.bytes), static_cast<uint32_t>(e.bytes >> 32)};
  std::memcpy(bytes, &header, sizeof header);
  *size = needed;
  ++find.pos;
  return winerr::Success;
}

CacheFind SimUrlCache::findFirst(void* buffer, uint32_t* size, long* error) {
  Find find;
  for (size_t i = 0; i < entries_.size(); ++i)
    if (!entries_[i].deleted) find.order.push_back(i);
  const long result = fill(find, buffer, size);
  *error = result;
  if (result != winerr::Success) return 0;
  const CacheFind handle = nextHandle_++;
  finds_[handle] = std::move(find);
  ++openFinds;
  return handle;
}

long SimUrlCache::findNext(CacheFind handle, void* buffer, uint32_t* size) {
  auto it = finds_.find(handle);
  if (it == finds_.end()) return winerr::InvalidHandle;
  return fill(it->second, buffer, size);
}

long SimUrlCache::deleteEntry(const std::string& url) {
  ++deleteCalls;
  auto it = index_.find(url);
  if (it == index_.end() || entries_[it->second].deleted) return winerr::FileNotFound;
  if (std::find(undeletable.begin(), undeletable.end(), url) != undeletable.end()) return winerr::SharingViolation;
  entries_[it->second].deleted = true;
  index_.erase(it);
  return winerr::Success;
}

void SimUrlCache::findClose(CacheFind handle) {
  if (finds_.erase(handle)) --openFinds;
}

}  // namespace platform::sim
