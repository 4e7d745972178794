#include "report/Inet.h"

#include "app/App.h"

namespace report {

bool OpenURL(app::App& app, const std::string& url, std::string* body, uint64_t maxBody) {
  platform::Http* http = app.os.http;
  if (!http) return false;
  const uint32_t id = http->startRequest(url, maxBody);
  if (!id) return false;
  while (http->stillExecuting()) {
    app.os.loop.doEvents();
    app.os.loop.waitForEvents(10);
  }
  std::string ignored;
  return http->takeResponse(id, body ? body : &ignored);
}

bool FetchURL(app::App& app, const std::string& url, std::string* body, uint64_t maxBody) {
  platform::Http* http = app.os.http;
  if (!http) return false;
  http->cancel();
  while (http->stillExecuting()) {
    app.os.loop.doEvents();
    app.os.loop.waitForEvents(10);
  }
  return OpenURL(app, url, body, maxBody);
}

void CancelTransfer(app::App& app) {
  if (app.os.http) app.os.http->cancel();
}

bool StillExecuting(app::App& app) { return app.os.http && app.os.http->stillExecuting(); }

std::string GetHeader(app::App& app) { return app.os.http ? app.os.http->headers() : std::string(); }

}  // namespace report
