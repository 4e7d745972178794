#include "platform/sim/SimHttp.h"

namespace platform::sim {

const SimHttp::Answer& SimHttp::answerFor(const std::string& url) {
  auto found = answers.find(url);
  if (found != answers.end()) return found->second;
  fallback_ = {responseHeaders, body, false};
  return fallback_;
}

void SimHttp::cancel() {
  log.push_back("cancel");
  if (runningId_ && !cancelled_) {
    cancelled_ = true;
    pollsLeft_ = pollsToWindDown;
  }
}

uint32_t SimHttp::startRequest(const std::string& url, uint64_t maxBody) {
  if (runningId_) {
    log.push_back("start refused " + url);
    return 0;
  }
  log.push_back("start " + url);
  requests.push_back(url);
  runningId_ = ++lastId_;
  runningUrl_ = url;
  runningLimit_ = maxBody;
  cancelled_ = false;
  pollsLeft_ = pollsPerRequest;
  return runningId_;
}

bool SimHttp::stillExecuting() {
  bool executing = false;
  if (runningId_) {
    if (pollsLeft_ > 0) {
      --pollsLeft_;
      executing = true;
    } else {
      const Answer& answer = answerFor(runningUrl_);
      // A cut-off request, a broken one and one whose body ran past its limit leave no response.
      if (!cancelled_ && !answer.fails && answer.body.size() <= runningLimit_) {
        finishedId_ = runningId_;
        last_ = answer;
      }
      runningId_ = 0;
    }
  }
  log.push_back(executing ? "executing 1" : "executing 0");
  return executing;
}

bool SimHttp::takeResponse(uint32_t id, std::string* out) {
  if (runningId_ || id == 0 || id != finishedId_) return false;
  if (out) *out = last_.body;
  return true;
}

std::string SimHttp::headers() { return finishedId_ ? last_.headers : std::string(); }

std::uintptr_t SimHttp::internetOpen(const std::string& agent) {
  log.push_back("InternetOpenA " + agent);
  if (!internetOpens) return 0;
  ++openHandles;
  return nextHandle_++;
}

std::uintptr_t SimHttp::internetOpenUrl(std::uintptr_t, const std::string& url, uint32_t flags) {
  log.push_back("InternetOpenUrlA " + url + " " + std::to_string(flags));
  if (!online) return 0;
  ++openHandles;
  return nextHandle_++;
}

void SimHttp::internetCloseHandle(std::uintptr_t) {
  log.push_back("InternetCloseHandle");
  --openHandles;
}

}  // namespace platform::sim
