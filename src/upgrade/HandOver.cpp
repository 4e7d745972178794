#include "app/Wait.h"
#include "platform/Platform.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "upgrade/InstallCopy.h"
#include "upgrade/State.h"
#include "upgrade/Upgrade.h"

namespace upgrade {

namespace {

constexpr uint32_t kOkOnly = 0;  // MB_OK

std::string lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

// True when the running executable is the folder's file of that name.
bool runningAs(platform::Platform& os, const std::string& name) {
  const std::string path = os.system.programFile();
  const size_t slash = path.find_last_of('\\');
  return lower(slash == std::string::npos ? path : path.substr(slash + 1)) == lower(name);
}

// This process is the new "Quellery.exe": it removes the copy and says thank you.
void finishUpgrade(platform::Platform& os, platform::WindowHandle owner) {
  app::WaitSeconds(os, 5);
  // The trailing dot names the same file; Windows drops it.
  report::resumeNext([&] { os.files.deleteFile(os.system.programFolder() + "\\qy.exe."); });
  saveState(os, "Up", "a");
  deleteState(os, "oldver");
  deleteState(os, "sha256");
  const std::string notice = readState(os, "donreq", "");
  if (notice.empty()) {
    deleteState(os, "donreq");
  } else if (notice.find('z') != std::string::npos) {
    deleteState(os, "donreq");
    report::resumeNext([&] { os.shell.messageBox(owner, "Quellery Upgraded. Thank you", "Quellery", kOkOnly); });
    report::resumeNext([&] {
      os.launcher.shellExecute(owner, "Open", serverUrl(os) + "/upgrade.php", "", "", platform::showcmd::Normal);
    });
  }
}

}  // namespace

void CompleteUpgrade(platform::Platform& os, platform::WindowHandle owner) {
  const std::string state = readState(os, "Up", "a");
  if (state.empty() || state.find('a') != std::string::npos) return;
  if (state.find('b') != std::string::npos) {
    // Only the downloaded copy may install itself; the old program started meanwhile
    // would try to replace its own running file.
    if (runningAs(os, "qy.exe")) installCopy(os);
  } else if (state.find('c') != std::string::npos) {
    finishUpgrade(os, owner);
  }
}

std::string ReadOrCreateRegString(platform::Platform& os, platform::HKey root, const std::string& keyPath,
                                  const std::string& name, const std::string& defaultText) {
  platform::Registry& reg = os.registry;
  platform::HKey key = 0;
  if (reg.createKey(root, keyPath, &key) != platform::winerr::Success) return {};
  std::string text;
  uint32_t type = 0, size = 0;
  if (reg.queryValue(key, name, &type, nullptr, &size) == platform::winerr::Success) {
    std::string data(size, '\0');
    if (size == 0 || reg.queryValue(key, name, &type, reinterpret_cast<uint8_t*>(&data[0]), &size) ==
                         platform::winerr::Success) {
      data.resize(size);
      text = data.substr(0, data.find('\0'));
    }
  } else {
    reg.setValue(key, name, platform::regtype::String, reinterpret_cast<const uint8_t*>(defaultText.data()),
                 uint32_t(defaultText.size()));
  }
  reg.closeKey(key);
  return text;
}

}  // namespace upgrade
