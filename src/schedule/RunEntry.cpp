#include "schedule/RunEntry.h"

#include <vector>

#include "app/Session.h"
#include "erase/RegValues.h"
#include "platform/Registry.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "settings/SettingsStore.h"

namespace schedule {

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
const std::string kArgument = std::string(" ") + kRunEntryArgument;
constexpr int kMajorVersion = 2, kMinorVersion = 10;

std::string lowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool startsWith(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }

// Entries of other versions of the program ("Quellery - 2.00") whose command starts this
// very executable: written by an older version, they start it with Windows just the same.
std::vector<std::string> olderEntriesOfThisProgram(platform::Platform& os, const std::string& program) {
  std::vector<std::string> names;
  platform::Registry& reg = os.registry;
  platform::HKey key = 0;
  if (reg.openKeyEx(platform::hkey::LocalMachine, kRunKey, platform::regaccess::Read, &key) != platform::winerr::Success)
    return names;
  const std::string prefix = std::string(settings::kAppName) + " - ";
  std::string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  for (uint32_t i = 0; reg.enumValue(key, i, &name, &type, &data) == platform::winerr::Success; ++i) {
    if (type != platform::regtype::String || !startsWith(name, prefix) || name == runEntryName()) continue;
    std::string command(data.begin(), data.end());
    command = command.substr(0, command.find('\0'));
    if (lowerCase(runEntryProgram(command)) == lowerCase(program)) names.push_back(name);
  }
  reg.closeKey(key);
  return names;
}

}  // namespace

std::string runEntryName() {
  return std::string(settings::kAppName) + " - " + std::to_string(kMajorVersion) + "." +
         std::to_string(kMinorVersion);
}

std::string runEntryProgram(const std::string& command) {
  if (startsWith(command, "\"")) {
    const size_t close = command.find('"', 1);
    return close == std::string::npos ? std::string() : command.substr(1, close - 1);
  }
  const size_t argument = command.rfind(kArgument);
  const bool endsWithArgument = argument != std::string::npos && argument + 2 == command.size();
  return endsWithArgument ? command.substr(0, argument) : command;
}

void LoadOnStartup(app::Session& session) {
  report::resumeNext([&] {
    platform::System& system = session.os.system;
    const std::string program = system.programFolder() + "\\" + system.programName() + ".exe";
    const std::vector<std::string> older = olderEntriesOfThisProgram(session.os, program);
    if (session.frm.chkRun(1).value() == 1) {
      // Quoted, or Windows would try "C:\Program.exe" first for a path with a blank. The
      // argument is never read: a start from Windows is like any other.
      erase::WriteRegValue(session.run(), platform::hkey::LocalMachine, kRunKey, runEntryName(),
                           "\"" + program + "\"" + kArgument, platform::regtype::String);
    } else {
      erase::DeleteRegValue(session.run(), platform::hkey::LocalMachine, kRunKey, runEntryName());
    }
    // One entry at most, and none once unticked.
    for (const std::string& name : older)
      erase::DeleteRegValue(session.run(), platform::hkey::LocalMachine, kRunKey, name);
  });
}

}  // namespace schedule
