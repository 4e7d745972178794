#pragma once
// The shell's URL history object (CLSID_CUrlHistory) through IUrlHistoryStg2 and its
// IEnumSTATURL enumerator. Results are HRESULTs; strings the store hands out are
// allocated with the task allocator and freed by the receiver with freeString.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

namespace hresult {
constexpr long Ok = 0, False = 1;
// HRESULTs are 32-bit whatever the width of long.
constexpr long bits(uint32_t value) { return static_cast<int32_t>(value); }
constexpr long NotImpl = bits(0x80004001u);
constexpr long NoInterface = bits(0x80004002u);
constexpr long Fail = bits(0x80004005u);
constexpr long InvalidArg = bits(0x80070057u);
constexpr long ClassNotRegistered = bits(0x80040154u);
inline bool failed(long hr) { return hr < 0; }
}  // namespace hresult

// STATURL with the platform's field meanings. Times are FILETIME values in UTC.
struct StatUrl {
  uint32_t cbSize = 0;
  char16_t* url = nullptr;    // owned by whoever received the record
  char16_t* title = nullptr;  // may be null
  uint64_t lastVisited = 0;
  uint64_t lastUpdated = 0;
  uint64_t expires = 0;
  uint32_t flags = 0;
};

class UrlHistoryEnum {  // IEnumSTATURL; destroying it releases it
 public:
  virtual ~UrlHistoryEnum() = default;
  virtual long setFilter(const std::u16string& prefix, uint32_t flags) = 0;
  // One record into *out: Ok, or False when there are no more.
  virtual long next(StatUrl* out) = 0;
};

class UrlHistoryStore {  // IUrlHistoryStg2; destroying it releases it
 public:
  virtual ~UrlHistoryStore() = default;
  virtual long addUrl(const std::u16string& url, const std::u16string& title, uint32_t flags) = 0;
  virtual long deleteUrl(const std::u16string& url, uint32_t flags) = 0;
  virtual long enumUrls(std::unique_ptr<UrlHistoryEnum>* out) = 0;
  virtual long clearHistory() = 0;
};

class UrlHistory {
 public:
  virtual ~UrlHistory() = default;
  // CoCreateInstance of the history object, asked for IUrlHistoryStg2.
  virtual long create(std::unique_ptr<UrlHistoryStore>* out) = 0;
  virtual void freeString(char16_t* text) = 0;  // CoTaskMemFree
  // FileTimeToLocalFileTime
  virtual uint64_t toLocalFileTime(uint64_t utc) = 0;
  // The Windows code page both ways (MultiByteToWideChar / WideCharToMultiByte).
  virtual std::u16string widen(const std::string& text) = 0;
  virtual std::string narrow(const std::u16string& text) = 0;
};

}  // namespace platform
