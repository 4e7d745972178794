#include "platform/win32/Win32UrlHistory.h"

#include <windows.h>
#include <objbase.h>
#include <urlhist.h>

#include <vector>

#include "platform/win32/LateFunction.h"

namespace platform::win32 {

namespace {

// The published identifiers, spelled out so that no import library is needed for them.
const CLSID kClsidCUrlHistory = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
const IID kIidUrlHistoryStg2 = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the store's strings are UTF-16");

// COM's four calls, found when the history is first used.
struct Com {
  decltype(&::CoInitialize) initialize = lateFunction<decltype(&::CoInitialize)>("ole32.dll", "CoInitialize");
  decltype(&::CoUninitialize) uninitialize = lateFunction<decltype(&::CoUninitialize)>("ole32.dll", "CoUninitialize");
  decltype(&::CoCreateInstance) createInstance =
      lateFunction<decltype(&::CoCreateInstance)>("ole32.dll", "CoCreateInstance");
  decltype(&::CoTaskMemFree) taskMemFree = lateFunction<decltype(&::CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
  bool found() const { return initialize && uninitialize && createInstance && taskMemFree; }
};

const Com& com() {
  static const Com api;
  return api;
}

LPCWSTR wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

uint64_t fromFileTime(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

class Enum : public UrlHistoryEnum {
 public:
  explicit Enum(IEnumSTATURL* e) : e_(e) { ZeroMemory(&record_, sizeof record_); }
  ~Enum() override { e_->Release(); }
  long setFilter(const std::u16string& prefix, uint32_t flags) override {
    return e_->SetFilter(wide(prefix), flags);
  }
  long next(StatUrl* out) override {
    ULONG fetched = 0;
    const HRESULT hr = e_->Next(1, &record_, &fetched);
    if (FAILED(hr)) return hr;
    if (hr != S_OK || fetched != 1) return hresult::False;
    out->cbSize = record_.cbSize;
    out->url = reinterpret_cast<char16_t*>(record_.pwcsUrl);
    out->title = reinterpret_cast<char16_t*>(record_.pwcsTitle);
    out->lastVisited = fromFileTime(record_.ftLastVisited);
    out->lastUpdated = fromFileTime(record_.ftLastUpdated);
    out->expires = fromFileTime(record_.ftExpires);
    out->flags = record_.dwFlags;
    return S_OK;
  }

 private:
  IEnumSTATURL* e_;
  STATURL record_;  // zero-filled once, as the enumerator expects it
};

class Store : public UrlHistoryStore {
 public:
  explicit Store(IUrlHistoryStg2* s) : s_(s) {}
  ~Store() override { s_->Release(); }
  long addUrl(const std::u16string& url, const std::u16string& title, uint32_t flags) override {
    return s_->AddUrl(wide(url), wide(title), flags);
  }
  long deleteUrl(const std::u16string& url, uint32_t flags) override { return s_->DeleteUrl(wide(url), flags); }
  long enumUrls(std::unique_ptr<UrlHistoryEnum>* out) override {
    IEnumSTATURL* e = nullptr;
    const HRESULT hr = s_->EnumUrls(&e);
    if (FAILED(hr)) return hr;
    if (!e) return E_POINTER;
    *out = std::make_unique<Enum>(e);
    return S_OK;
  }
  long clearHistory() override { return s_->ClearHistory(); }

 private:
  IUrlHistoryStg2* s_;
};

}  // namespace

Win32UrlHistory::Win32UrlHistory() = default;

Win32UrlHistory::~Win32UrlHistory() {
  if (comStarted_) com().uninitialize();
}

long Win32UrlHistory::create(std::unique_ptr<UrlHistoryStore>* out) {
  // COM starts with the first use, on the thread that uses it; not at start, where it
  // would delay the window.
  if (!com().found()) return E_NOTIMPL;
  if (!comTried_) {
    comTried_ = true;
    comStarted_ = SUCCEEDED(com().initialize(nullptr));
  }
  IUrlHistoryStg2* store = nullptr;
  const HRESULT hr = com().createInstance(kClsidCUrlHistory, nullptr, CLSCTX_INPROC_SERVER, kIidUrlHistoryStg2,
                                          reinterpret_cast<void**>(&store));
  if (FAILED(hr)) return hr;
  if (!store) return E_POINTER;
  *out = std::make_unique<Store>(store);
  return S_OK;
}

void Win32UrlHistory::freeString(char16_t* text) { com().taskMemFree(text); }

uint64_t Win32UrlHistory::toLocalFileTime(uint64_t utc) {
  FILETIME in{static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)}, out{};
  if (!FileTimeToLocalFileTime(&in, &out)) return utc;
  return fromFileTime(out);
}

// Windows 95 has the two conversion calls, so they serve every version.
std::u16string Win32UrlHistory::widen(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::vector<wchar_t> buffer(n);
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), buffer.data(), n);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), n);
}

std::string Win32UrlHistory::narrow(const std::u16string& text) {
  if (text.empty()) return {};
  auto* source = reinterpret_cast<LPCWSTR>(text.data());
  const int n = WideCharToMultiByte(CP_ACP, 0, source, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, source, static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace platform::win32
