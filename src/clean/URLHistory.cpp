#include "clean/URLHistory.h"

#include <cmath>

#include "report/RuntimeError.h"

namespace clean {

using platform::StatUrl;
namespace hr = platform::hresult;

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr int64_t kDaysFrom1601To1899 = 109205;  // 1 Jan 1601 to 30 Dec 1899

void check(long result) {
  if (hr::failed(result)) throw report::RuntimeError(result, "Automation error");
}

}  // namespace

double FileTimeToDate(uint64_t fileTime) {
  // Whole seconds, as the calendar conversion keeps them.
  const int64_t seconds = static_cast<int64_t>(fileTime / kTicksPerSecond);
  const int64_t day = seconds / 86400 - kDaysFrom1601To1899;
  const double timeOfDay = static_cast<double>(seconds % 86400) / 86400.0;
  // Before 30 December 1899 the day counts down while the time of day still counts up.
  return day >= 0 ? static_cast<double>(day) + timeOfDay : static_cast<double>(day) - timeOfDay;
}

std::u16string WideStringFromPointer(const char16_t* text) {
  if (!text) return {};
  size_t length = 0;
  while (text[length]) ++length;
  return std::u16string(text, length);
}

URLHistoryItem::~URLHistoryItem() {
  if (record_.title) os_.freeString(record_.title);
  if (record_.url) os_.freeString(record_.url);
}

double URLHistoryItem::localDate(uint64_t utc) const { return FileTimeToDate(os_.toLocalFileTime(utc)); }
double URLHistoryItem::LastVisited() const { return localDate(record_.lastVisited); }
double URLHistoryItem::Expires() const { return localDate(record_.expires); }
double URLHistoryItem::LastUpdated() const { return localDate(record_.lastUpdated); }
std::string URLHistoryItem::URL() const { return os_.narrow(WideStringFromPointer(record_.url)); }

std::string URLHistoryItem::Title() const {
  const std::u16string title = WideStringFromPointer(record_.title);
  return title.empty() ? "     (No Title Given)" : os_.narrow(title);
}

CURLHistory::CURLHistory(platform::UrlHistory& os) : os_(os) {
  check(os_.create(&store_));
  if (!store_) throw report::RuntimeError(hr::NoInterface, "Automation error");
  Refresh("", 0);
}

void CURLHistory::AddURL(const std::string& url, const std::string& title, uint32_t flags) {
  check(store_->addUrl(os_.widen(url), os_.widen(title), flags));
}

void CURLHistory::Clear() {
  store_->clearHistory();  // a refusal leaves whatever survives it, shown by the refresh
  Refresh("", 0);
}

void CURLHistory::Refresh(const std::string& prefix, uint32_t flags) {
  std::unique_ptr<platform::UrlHistoryEnum> urls;
  check(store_->enumUrls(&urls));
  if (!urls) throw report::RuntimeError(hr::NoInterface, "Automation error");
  check(urls->setFilter(os_.widen(prefix), flags));
  items_.clear();
  StatUrl record{};
  for (;;) {
    auto item = std::make_unique<URLHistoryItem>(os_);  // ready before the store hands out strings
    const long result = urls->next(&record);
    check(result);
    if (result != hr::Ok) break;
    item->InitFromRecord(record);
    items_.push_back(std::move(item));
  }
}

URLHistoryItem& CURLHistory::Item(int32_t position) {
  if (position < 1 || position > Count()) throw report::RuntimeError(9, "Subscript out of range");
  return *items_[position - 1];
}

void CURLHistory::Remove(int32_t position) {
  URLHistoryItem& item = Item(position);
  check(store_->deleteUrl(WideStringFromPointer(item.record().url), 0));
  items_.erase(items_.begin() + (position - 1));
}

void CURLHistory::DeleteURL(const std::string& url, uint32_t flags) {
  store_->deleteUrl(os_.widen(url), flags);  // failure ignored; the refresh shows the outcome
  Refresh("", 0);
}

}  // namespace clean
