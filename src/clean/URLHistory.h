#pragma once
// CURLHistory and URLHistoryItem: the browser's URL history as a collection, over the
// shell's history store.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/UrlHistory.h"

namespace clean {

// Days since 30 December 1899 with the time of day as the fraction, from a FILETIME.
double FileTimeToDate(uint64_t fileTime);
// A wide zero-terminated string at an address; empty for a null address.
std::u16string WideStringFromPointer(const char16_t* text);

class URLHistoryItem {
 public:
  explicit URLHistoryItem(platform::UrlHistory& os) : os_(os) {}
  ~URLHistoryItem();
  URLHistoryItem(const URLHistoryItem&) = delete;
  URLHistoryItem& operator=(const URLHistoryItem&) = delete;

  double LastVisited() const;
  double Expires() const;
  double LastUpdated() const;
  std::string URL() const;
  uint32_t Flags() const { return record_.flags; }
  std::string Title() const;  // "     (No Title Given)" when there is none

  const platform::StatUrl& record() const { return record_; }
  // Takes the record and with it the ownership of its two strings.
  void InitFromRecord(const platform::StatUrl& record) noexcept { record_ = record; }

 private:
  double localDate(uint64_t utc) const;
  platform::UrlHistory& os_;
  platform::StatUrl record_{};
};

class CURLHistory {
 public:
  using Items = std::vector<std::unique_ptr<URLHistoryItem>>;

  // Creates the store and reads the whole history. Failures throw report::RuntimeError.
  explicit CURLHistory(platform::UrlHistory& os);
  CURLHistory(const CURLHistory&) = delete;
  CURLHistory& operator=(const CURLHistory&) = delete;

  void AddURL(const std::string& url, const std::string& title, uint32_t flags);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  void Clear();
  void Refresh(const std::string& prefix, uint32_t flags);
  URLHistoryItem& Item(int32_t position);  // 1-based
  void Remove(int32_t position);
  void DeleteURL(const std::string& url, uint32_t flags);

  // Walks the collection as it stands.
  class Enumerator {
   public:
    explicit Enumerator(const Items& items) : items_(&items) {}
    URLHistoryItem* Next() { return next_ < items_->size() ? (*items_)[next_++].get() : nullptr; }
    void Reset() { next_ = 0; }

   private:
    const Items* items_;
    size_t next_ = 0;
  };
  Enumerator NewEnum() const { return Enumerator(items_); }
  Items::const_iterator begin() const { return items_.begin(); }
  Items::const_iterator end() const { return items_.end(); }

 private:
  platform::UrlHistory& os_;
  std::unique_ptr<platform::UrlHistoryStore> store_;  // declared before the items: released last
  Items items_;
};

}  // namespace clean
