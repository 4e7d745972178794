#include "report/Inet.h"

#include "platform/Platform.h"

namespace report {

bool OpenURL(platform::Platform& os, const std::string& url, std::string* body, uint64_t maxBody) {
  platform::Http* http = os.http;
  if (!http) return false;
  const uint32_t id = http->startRequest(url, maxBody);
  if (!id) return false;
  while (http->stillExecuting()) {
    os.loop.doEvents();
    os.loop.waitForEvents(10);
  }
  std::string ignored;
  return http->takeResponse(id, body ? body : &ignored);
}

bool FetchURL(platform::Platform& os, const std::string& url, std::string* body, uint64_t maxBody) {
  platform::Http* http = os.http;
  if (!http) return false;
  http->cancel();
  while (http->stillExecuting()) {
    os.loop.doEvents();
    os.loop.waitForEvents(10);
  }
  return OpenURL(os, url, body, maxBody);
}

void CancelTransfer(platform::Platform& os) {
  if (os.http) os.http->cancel();
}

bool StillExecuting(platform::Platform& os) { return os.http && os.http->stillExecuting(); }

std::string GetHeader(platform::Platform& os) { return os.http ? os.http->headers() : std::string(); }

}  // namespace report
