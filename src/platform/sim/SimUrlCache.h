#pragma once
// An in-memory WinINet URL cache that answers with records in the platform's layout and
// keeps count of open enumerations, with faults tests can inject.
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/UrlCache.h"

namespace platform::sim {

class SimUrlCache : public UrlCache {
 public:
  CacheFind findFirst(void* buffer, uint32_t* size, long* error) override;
  long findNext(CacheFind find, void* buffer, uint32_t* size) override;
  long deleteEntry(const std::string& url) override;
  void findClose(CacheFind find) override;

  // Seeding and inspection.
  // `bytes`: the size of the entry's local file, as the record tells it.
  void add(const std::string& url, const std::string& localFile, uint32_t type, uint64_t bytes = 0);
  // A cookie as Windows stores it: "Cookie:user@site/" with both type bits.
  void addCookie(const std::string& userAtSite, const std::string& cookiesFolder, uint64_t bytes = 0);
  bool contains(const std::string& url) const;
  std::vector<std::string> urls() const;  // in enumeration order

  // The size to report for the entry at this enumeration position instead of the real one.
  std::map<size_t, uint32_t> reportedSize;
  std::vector<std::string> undeletable;  // entries whose deletion fails (in use)
  int openFinds = 0;
  int sizeQueries = 0;  // calls made without a big enough buffer
  int deleteCalls = 0;

 private:
  struct Entry {
    std::string url, localFile;
    uint32_t type;
    uint64_t bytes;
    bool deleted = false;
  };
  struct Find {
    std::vector<size_t> order;  // entries present when the walk began
    size_t pos = 0;
  };
  long fill(Find& find, void* buffer, uint32_t* size);

  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> index_;
  std::map<CacheFind, Find> finds_;
  CacheFind nextHandle_ = 0x100;
};

}  // namespace platform::sim
