#include "app/modTest.h"

#include <memory>

#include "erase/FolderWalk.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace app {

using namespace platform;

void WaitSeconds(Platform& os, double seconds) {
  EventLoop& loop = os.loop;
  const uint32_t end = loop.tickCount() + static_cast<uint32_t>(seconds * 1000);
  for (;;) {
    const int32_t left = static_cast<int32_t>(end - loop.tickCount());
    if (left <= 0) return;
    report::resumeNext([&] { loop.doEvents(); });
    // Idle until the next event or at most a timer's grain, rather than spin.
    loop.waitForEvents(static_cast<uint32_t>(left < 10 ? left : 10));
  }
}

bool DeleteFolderTree(const engine::RunContext& run, std::string path) {
  try {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    FileSystem& fs = run.os.files;
    const uint32_t attributes = path.empty() ? fileattr::Invalid : fs.getAttributes(path);
    if (attributes == fileattr::Invalid || !(attributes & fileattr::Directory)) return false;
    // A link is neither followed nor removed: nothing outside the folder is touched.
    if (attributes & fileattr::ReparsePoint) return false;
    erase::WalkFolderAt(run, path + "\\", true, erase::TreeDeleteRules(), nullptr);
    return fs.getAttributes(path) == fileattr::Invalid;
  } catch (const std::exception&) {
    return false;
  }
}

std::string FindOS(Platform& os) {
  std::string text;
  try {
    OsVersion v;
    if (!os.system.getVersion(&v)) return "";
    switch (v.platformId) {
      case osplatform::Win32s:
        text = "Microsoft Win32s";
        break;
      case osplatform::Windows9x:
        text = (v.major > 4 || (v.major == 4 && v.minor > 0)) ? "Microsoft Windows 98" : "Microsoft Windows 95";
        break;
      case osplatform::WindowsNT:
        if (v.major <= 4)
          text = "Microsoft Windows NT";
        else if (v.major == 5)
          text = v.minor == 1 ? "Microsoft Windows XP Build " + std::to_string(v.build) : "Microsoft Windows 2000";
        break;
    }
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::FindOS, e);
  }
  return text;
}

int16_t countDelimiters(const std::string& text, char delimiter) {
  int16_t count = 0;
  for (char c : text)
    if (c == delimiter) ++count;
  return count;
}

}  // namespace app
