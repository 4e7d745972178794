#pragma once
#include "platform/UrlHistory.h"

namespace platform::win32 {

// The shell's URL history object in this thread's apartment.
class Win32UrlHistory : public UrlHistory {
 public:
  Win32UrlHistory();
  ~Win32UrlHistory() override;
  Win32UrlHistory(const Win32UrlHistory&) = delete;
  Win32UrlHistory& operator=(const Win32UrlHistory&) = delete;

  long create(std::unique_ptr<UrlHistoryStore>* out) override;
  void freeString(char16_t* text) override;
  uint64_t toLocalFileTime(uint64_t utc) override;
  std::u16string widen(const std::string& text) override;
  std::string narrow(const std::u16string& text) override;

 private:
  bool comTried_ = false, comStarted_ = false;
};

}  // namespace platform::win32
