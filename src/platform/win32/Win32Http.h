#pragma once
#include <windows.h>

#include <string>

#include "platform/EventLoop.h"
#include "platform/Http.h"

namespace platform::win32 {

// WinINet behind the transfer object: each request runs on a worker thread of its own, so
// the window thread only starts, polls and cancels. The on-line probe's blocking open runs
// on a worker too, while the window thread keeps dispatching events through `loop`.
class Win32Http : public Http {
 public:
  Win32Http(std::string agent, EventLoop& loop);
  ~Win32Http() override;
  Win32Http(const Win32Http&) = delete;
  Win32Http& operator=(const Win32Http&) = delete;

  void cancel() override;
  uint32_t startRequest(const std::string& url, uint64_t maxBody) override;
  bool stillExecuting() override;
  bool takeResponse(uint32_t id, std::string* body) override;
  std::string headers() override;
  std::uintptr_t internetOpen(const std::string& agent) override;
  std::uintptr_t internetOpenUrl(std::uintptr_t session, const std::string& url, uint32_t flags) override;
  void internetCloseHandle(std::uintptr_t handle) override;

  struct Job;

 private:
  void collect();  // takes the ended worker's result

  std::string agent_;
  EventLoop& loop_;
  CRITICAL_SECTION lock_;
  HANDLE thread_ = nullptr;
  Job* job_ = nullptr;
  uint32_t lastId_ = 0;
  uint32_t finishedId_ = 0;
  std::string body_, headers_;
};

}  // namespace platform::win32
