#pragma once
// A scripted HTTP layer for host tests: answers the probe as told, runs each request for a
// set number of polls, and logs every call in order.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Http.h"

namespace platform::sim {

class SimHttp : public Http {
 public:
  void cancel() override;
  uint32_t startRequest(const std::string& url, uint64_t maxBody) override;
  bool stillExecuting() override;
  bool takeResponse(uint32_t id, std::string* body) override;
  std::string headers() override;
  std::uintptr_t internetOpen(const std::string& agent) override;
  std::uintptr_t internetOpenUrl(std::uintptr_t session, const std::string& url, uint32_t flags) override;
  void internetCloseHandle(std::uintptr_t handle) override;

  bool online = true;           // whether the probe's page opens
  bool internetOpens = true;    // whether InternetOpenA gives a handle
  int pollsPerRequest = 0;      // stillExecuting() answers true this often after a start
  int pollsToWindDown = 2;      // ... and this often after a cancel
  std::string body = "OK";
  std::string responseHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n";
  // Answers for particular URLs; any other URL gets `body` and `responseHeaders`.
  struct Answer {
    std::string headers, body;
    bool fails = false;  // the transfer breaks off: no response at all
  };
  std::map<std::string, Answer> answers;

  std::vector<std::string> log;       // "cancel", "start URL", "executing 1", "InternetOpenA agent", ...
  std::vector<std::string> requests;  // the URLs of started requests
  int openHandles = 0;

 private:
  const Answer& answerFor(const std::string& url);
  Answer fallback_;
  Answer last_;  // of the last request that got a response
  std::string runningUrl_;
  uint64_t runningLimit_ = 0;
  uint32_t lastId_ = 0;
  uint32_t runningId_ = 0;
  uint32_t finishedId_ = 0;
  int pollsLeft_ = 0;
  bool cancelled_ = false;
  std::uintptr_t nextHandle_ = 0xCC0000;
};

}  // namespace platform::sim
