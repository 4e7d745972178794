#include "panic/WindowSweep.h"

#include <cctype>

#include "platform/Platform.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace panic {

using report::resumeNext;

namespace {

constexpr uintptr_t kMinimizeAllCommand = 419;  // the taskbar's "Minimize All Windows"
// Between two looks for a browser still open: enough for it to act on the close just
// posted, so its queue is not flooded with closes.
constexpr uint32_t kClosePaceMs = 50;

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The title search of CloseWindowByTitle and CheckAllWindows.
struct TitleSearch {
  std::string text;
  platform::WindowHandle found = 0;
};
TitleSearch search;

}  // namespace

void MinimizeAllWindows(platform::Platform& os) {
  resumeNext([&] {
    platform::Desktop& desktop = os.desktop;
    // Without a taskbar there is nobody to ask; a post to no window would land in our own queue.
    if (platform::WindowHandle taskbar = desktop.findWindowByClass("Shell_TrayWnd"))
      desktop.postMessage(taskbar, platform::winmsg::Command, kMinimizeAllCommand, 0);
  });
}

void CloseIEWindows(platform::Platform& os) {
  platform::Desktop& desktop = os.desktop;
  platform::EventLoop& loop = os.loop;
  resumeNext([&] { loop.doEvents(); });
  const uint32_t start = loop.tickCount();
  for (;;) {
    platform::WindowHandle browser = 0;
    resumeNext([&] { browser = desktop.findWindowByClass("IEFrame"); });
    if (!browser || !desktop.isWindow(browser)) return;
    if (loop.tickCount() - start >= kCloseIEGiveUpMs) return;
    resumeNext([&] { desktop.postMessage(browser, platform::winmsg::Close, 1, 1); });
    resumeNext([&] {
      loop.doEvents();
      loop.waitForEvents(kClosePaceMs);
    });
  }
}

void CloseWindowByTitle(platform::Platform& os, const std::string& text) {
  resumeNext([&] {
    search.text = text;
    search.found = 0;
    os.desktop.enumWindows([&](platform::WindowHandle window) { return CheckAllWindows(os, window); });
    if (search.found) os.desktop.postMessage(search.found, platform::winmsg::Close, 0, 0);
  });
}

bool CheckAllWindows(platform::Platform& os, platform::WindowHandle window) {
  try {
    if (lowerCase(GetWindowTitle(os, window)).find(lowerCase(search.text)) != std::string::npos) {
      search.found = window;
      return false;
    }
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::CheckAllWindows, e);
  }
  return true;
}

std::string GetWindowTitle(platform::Platform& os, platform::WindowHandle window) {
  return os.desktop.windowText(window);
}

}  // namespace panic
