#include "schedule/RunEntry.h"

#include "app/App.h"
#include "erase/RegValues.h"
#include "platform/Registry.h"
#include "report/RuntimeError.h"
#include "settings/SavedSelections.h"

namespace schedule {

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
constexpr int kMajorVersion = 2, kMinorVersion = 10;

}  // namespace

std::string runEntryName() {
  return std::string(settings::kAppName) + " - " + std::to_string(kMajorVersion) + "." +
         std::to_string(kMinorVersion);
}

void LoadOnStartup(app::App& app) {
  report::resumeNext([&] {
    if (app.frm.chkRun(1).value() == 1) {
      platform::System& system = app.os.system;
      // The argument is never read: a start from Windows is like any other.
      const std::string command = system.programFolder() + "\\" + system.programName() + ".exe m";
      erase::WriteRegValue(app, platform::hkey::LocalMachine, kRunKey, runEntryName(), command,
                           platform::regtype::String);
    } else {
      erase::DeleteRegValue(app, platform::hkey::LocalMachine, kRunKey, runEntryName());
    }
  });
}

}  // namespace schedule
