#pragma once
// An in-memory URL history store that hands out strings the way the task allocator does
// and counts what comes back, with failures tests can inject.
#include <map>
#include <string>
#include <vector>

#include "platform/UrlHistory.h"

namespace platform::sim {

class SimUrlHistory : public UrlHistory {
 public:
  struct Entry {
    std::u16string url;
    std::u16string title;  // empty: the store gives a null title
    uint64_t lastVisited = 0, lastUpdated = 0, expires = 0;
    uint32_t flags = 0;
  };

  ~SimUrlHistory() override;
  long create(std::unique_ptr<UrlHistoryStore>* out) override;
  void freeString(char16_t* text) override;
  uint64_t toLocalFileTime(uint64_t utc) override { return utc + localOffset; }
  std::u16string widen(const std::string& text) override;
  std::string narrow(const std::u16string& text) override;

  // Seeding and inspection; narrow texts are Latin-1.
  void add(const std::string& url, const std::string& title, uint64_t lastVisited = 0);
  std::vector<std::string> urls() const;

  std::vector<Entry> entries;
  int64_t localOffset = 0;  // local time minus UTC, in FILETIME units
  // Results to give instead of doing the work (0: work normally).
  long createResult = 0, enumResult = 0, nextResult = 0, clearResult = 0, deleteResult = 0,
       addResult = 0;
  int storeCalls = 0;  // add, delete and clear calls that reached the store
  int liveStores = 0;
  // Strings handed out and not freed yet, and the order in which they came back.
  std::map<const char16_t*, std::u16string> outstanding;
  std::vector<std::u16string> freed;
  int badFrees = 0;  // frees of something the store never handed out

  char16_t* allocate(const std::u16string& text);
};

}  // namespace platform::sim
