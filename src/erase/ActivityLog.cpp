#include "erase/ActivityLog.h"

#include <ctime>

namespace erase {

namespace {
ActivityObserver& observer() {
  static ActivityObserver watcher;
  return watcher;
}
}  // namespace

void LogActivity(const std::string& entry, const std::string& timeStamp) {
  if (observer()) observer()(entry, timeStamp);
}

std::string ActivityTimeStamp() {
  // Walks stamp every file; the text changes once a second, so it is made once a second.
  static std::time_t last = -1;
  static std::string text;
  const std::time_t now = std::time(nullptr);
  if (now == last) return text;
  std::tm local{};
  if (const std::tm* t = std::localtime(&now)) local = *t;
  char date[64] = {}, time[32] = {};
  std::strftime(date, sizeof date, "%A, %B %d, %Y", &local);
  std::strftime(time, sizeof time, "%I:%M:%S %p", &local);
  text = std::string(date) + " @ " + (time[0] == '0' ? time + 1 : time);
  last = now;
  return text;
}

void setActivityObserver(ActivityObserver watcher) { observer() = std::move(watcher); }

}  // namespace erase
