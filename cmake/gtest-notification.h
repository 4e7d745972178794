// Force-included into GoogleTest and the Windows test programs (see
// CMakeLists.txt). The win32 thread model of MinGW's libstdc++ has no
// std::mutex, which GoogleTest's own Notification class is built on; this
// stands in for it. GoogleTest uses it only in its own thread tests.
#pragma once
#define GTEST_HAS_NOTIFICATION_ 1
#include <atomic>

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
