#include "app/App.h"
#include "app/modTest.h"
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
bool runningAs(app::App& app, const std::string& name) {
  const std::string path = app.os.system.programFile();
  const size_t slash = path.find_last_of('\\');
  return lower(slash == std::string::npos ? path : path.substr(slash + 1)) == lower(name);
}

// This process is the new "Quellery.exe": it removes the copy and says thank you.
void finishUpgrade(app::App& app) {
  app::WaitSeconds(app, 5);
  // The trailing dot names the same file; Windows drops it.
  report::resumeNext([&] { app.os.files.deleteFile(app.os.system.programFolder() + "\\qy.exe."); });
  saveState(app, "Up", "a");
  deleteState(app, "oldver");
  deleteState(app, "sha256");
  const std::string notice = readState(app, "donreq", "");
  if (notice.empty()) {
    deleteState(app, "donreq");
  } else if (notice.find('z') != std::string::npos) {
    deleteState(app, "donreq");
    report::resumeNext([&] {
      app.os.shell.messageBox(app.frm.form.hWnd, "Quellery Upgraded. Thank you", "Quellery", kOkOnly);
    });
    report::resumeNext([&] {
      app.os.launcher.shellExecute(app.frm.form.hWnd, "Open", serverUrl(app) + "/upgrade.php", "", "",
                                   platform::showcmd::Normal);
    });
  }
}

}  // namespace

void CompleteUpgrade(app::App& app) {
  const std::string state = readState(app, "Up", "a");
  if (state.empty() || state.find('a') != std::string::npos) return;
  if (state.find('b') != std::string::npos) {
    // Only the downloaded copy may install itself; the old program started meanwhile
    // would try to replace its own running file.
    if (runningAs(app, "qy.exe")) installCopy(app);
  } else if (state.find('c') != std::string::npos) {
    finishUpgrade(app);
  }
}

std::string ReadOrCreateRegString(app::App& app, platform::HKey root, const std::string& keyPath,
                                  const std::string& name, const std::string& defaultText) {
  platform::Registry& reg = app.os.registry;
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
