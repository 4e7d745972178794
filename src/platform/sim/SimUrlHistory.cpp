#include "platform/sim/SimUrlHistory.h"

#include <algorithm>
#include <cstring>

namespace platform::sim {

namespace {

class Enum : public UrlHistoryEnum {
 public:
  explicit Enum(SimUrlHistory& owner) : owner_(owner), snapshot_(owner.entries) {}
  long setFilter(const std::u16string& prefix, uint32_t) override {
    prefix_ = prefix;
    return hresult::Ok;
  }
  long next(StatUrl* out) override {
    if (owner_.nextResult) return owner_.nextResult;
    while (pos_ < snapshot_.size() && snapshot_[pos_].url.compare(0, prefix_.size(), prefix_) != 0) ++pos_;
    if (pos_ >= snapshot_.size()) return hresult::False;
    const SimUrlHistory::Entry& e = snapshot_[pos_++];
    out->url = owner_.allocate(e.url);
    out->title = e.title.empty() ? nullptr : owner_.allocate(e.title);
    out->lastVisited = e.lastVisited;
    out->lastUpdated = e.lastUpdated;
    out->expires = e.expires;
    out->flags = e.flags;
    return hresult::Ok;
  }

 private:
  SimUrlHistory& owner_;
  std::vector<SimUrlHistory::Entry> snapshot_;
  std::u16string prefix_;
  size_t pos_ = 0;
};

class Store : public UrlHistoryStore {
 public:
  explicit Store(SimUrlHistory& owner) : owner_(owner) { ++owner_.liveStores; }
  ~Store() override { --owner_.liveStores; }
  long addUrl(const std::u16string& url, const std::u16string& title, uint32_t flags) override {
    if (owner_.addResult) return owner_.addResult;
    ++owner_.storeCalls;
    owner_.entries.push_back({url, title, 0, 0, 0, flags});
    return hresult::Ok;
  }
  long deleteUrl(const std::u16string& url, uint32_t) override {
    if (owner_.deleteResult) return owner_.deleteResult;
    ++owner_.storeCalls;
    auto& e = owner_.entries;
    e.erase(std::remove_if(e.begin(), e.end(), [&](const SimUrlHistory::Entry& x) { return x.url == url; }),
            e.end());
    return hresult::Ok;
  }
  long enumUrls(std::unique_ptr<UrlHistoryEnum>* out) override {
    if (owner_.enumResult) return owner_.enumResult;
    *out = std::make_unique<Enum>(owner_);
    return hresult::Ok;
  }
  long clearHistory() override {
    if (owner_.clearResult) return owner_.clearResult;
    ++owner_.storeCalls;
    owner_.entries.clear();
    return hresult::Ok;
  }

 private:
  SimUrlHistory& owner_;
};

}  // namespace

SimUrlHistory::~SimUrlHistory() {
  for (auto& [text, copy] : outstanding) delete[] text;
}

long SimUrlHistory::create(std::unique_ptr<UrlHistoryStore>* out) {
  if (createResult) return createResult;
  *out = std::make_unique<Store>(*this);
  return hresult::Ok;
}

char16_t* SimUrlHistory::allocate(const std::u16string& text) {
  auto* copy = new char16_t[text.size() + 1];
  std::copy(text.begin(), text.end(), copy);
  copy[text.size()] = 0;
  outstanding[copy] = text;
  return copy;
}

void SimUrlHistory::freeString(char16_t* text) {
  auto it = outstanding.find(text);
  if (it == outstanding.end()) {
    ++badFrees;
    return;
  }
  freed.push_back(it->second);
  outstanding.erase(it);
  delete[] text;
}

std::u16string SimUrlHistory::widen(const std::string& text) {
  std::u16string out;
  for (unsigned char c : text) out += static_cast<char16_t>(c);
  return out;
}

std::string SimUrlHistory::narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 256 ? static_cast<char>(c) : '?';
  return out;
}

void SimUrlHistory::add(const std::string& url, const std::string& title, uint64_t lastVisited) {
  entries.push_back({widen(url), widen(title), lastVisited, lastVisited, 0, 0});
}

std::vector<std::string> SimUrlHistory::urls() const {
  std::vector<std::string> out;
  for (const Entry& e : entries) {
    std::string s;
    for (char16_t c : e.url) s += static_cast<char>(c);
    out.push_back(s);
  }
  return out;
}

}  // namespace platform::sim
