#pragma once
// HTTP as the program asks for it: the main window's one transfer object (one request at
// a time, cancellable) and the three WinINet calls of the on-line probe.
#include <cstdint>
#include <string>

namespace platform {

namespace inetflag {
constexpr uint32_t Reload = 0x80000000u, NoCacheWrite = 0x04000000u, KeepConnection = 0x00400000u;
}

class Http {
 public:
  virtual ~Http() = default;

  // The transfer object. A request runs behind the object while the caller keeps the
  // window alive; its result is taken once stillExecuting() turns false.
  // Cuts off the running request, if any; it may stay executing while it winds down.
  virtual void cancel() = 0;
  // Starts a GET of `url`: an id for the request, 0 when another one is still executing.
  // A body longer than `maxBody` bytes is cut off there and the request fails.
  virtual uint32_t startRequest(const std::string& url, uint64_t maxBody) = 0;
  virtual bool stillExecuting() = 0;
  // The body of request `id` when it got a response; false when it failed, was cut off or
  // another request followed it.
  virtual bool takeResponse(uint32_t id, std::string* body) = 0;
  // The last response's status line and header lines, as one text.
  virtual std::string headers() = 0;

  // InternetOpenA with the system's proxy settings; 0 on failure.
  virtual std::uintptr_t internetOpen(const std::string& agent) = 0;
  // InternetOpenUrlA without extra headers; 0 on failure.
  virtual std::uintptr_t internetOpenUrl(std::uintptr_t session, const std::string& url, uint32_t flags) = 0;
  virtual void internetCloseHandle(std::uintptr_t handle) = 0;
};

}  // namespace platform
