#include "panic/WindowSweep.h"

#include <cctype>

#include "engine/Session.h"
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

void MinimizeAllWindows(engine::Session& session) {
  resumeNext([&] {
    platform::Desktop& desktop = session.os.desktop;
    // Without a taskbar there is nobody to ask; a post to no window would land in our own queue.
    if (platform::WindowHandle taskbar = desktop.findWindowByClass("Shell_TrayWnd"))
      desktop.postMessage(taskbar, platform::winmsg::Command, kMinimizeAllCommand, 0);
  });
}

void CloseIEWindows(engine::Session& session) {
  platform::Desktop& desktop = session.os.desktop;
  platform::EventLoop& loop = session.os.loop;
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

void CloseWindowByTitle(engine::Session& session, const std::string& text) {
  resumeNext([&] {
    search.text = text;
    search.found = 0;
    session.os.desktop.enumWindows([&](platform::WindowHandle window) { return CheckAllWindows(session, window); });
    if (search.found) session.os.desktop.postMessage(search.found, platform::winmsg::Close, 0, 0);
  });
}

bool CheckAllWindows(engine::Session& session, platform::WindowHandle window) {
  try {
    if (lowerCase(GetWindowTitle(session, window)).find(lowerCase(search.text)) != std::string::npos) {
      search.found = window;
      return false;
    }
  } catch (const std::exception& e) {
    report::reportFailure(session.os, report::tail::CheckAllWindows, e);
  }
  return true;
}

std::string GetWindowTitle(engine::Session& session, platform::WindowHandle window) {
  return session.os.desktop.windowText(window);
}

}  // namespace panic
