// Internet Explorer's traces in the current user's registry, and the files it points to.
#include "clean/IEItems.h"
#include "clean/NamedFileRemoval.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/RegKeyPath.h"
#include "erase/RegValues.h"
#include "erase/RunContext.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace clean {

namespace {

using platform::hkey::CurrentUser;
using erase::Outcome;
using erase::TargetKind;

const char kFormEntries[] = "AutoComplete form entries (emptied by iea.exe)";
const char kSavedPasswords[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW";

// The plain, non-recursive key deletion, of a key that is there and is no link.
void deleteKeyUnlessLinked(platform::Registry& registry, erase::RunFlags& flags, const std::string& subKey) {
  const std::string where = erase::RegistryTarget(CurrentUser, subKey);
  const erase::HeldKeyPath path(registry, CurrentUser, subKey, platform::regaccess::QueryValue);
  switch (path.reach()) {
    case erase::KeyReach::Held: break;
    case erase::KeyReach::Missing: return;
    case erase::KeyReach::Linked:
      return erase::record(flags, TargetKind::RegistryKey, where, 0, Outcome::Refused, erase::kRegistryLinkReason);
    case erase::KeyReach::Failed:
      return erase::record(flags, TargetKind::RegistryKey, where, 0, Outcome::Failed,
                           erase::describeRegistryError(path.error()));
  }
  erase::removeOrPlan(flags, TargetKind::RegistryKey, where, 0, [&] {
    const long error = registry.deleteKey(path.parent(), path.name());
    if (error == platform::winerr::Success) return erase::Result{true, {}};
    return erase::Result{false, erase::describeRegistryError(error)};
  });
}

// Sets an AutoComplete switch to "no"; a switch that is off already is no change to promise
// or make.
void switchOff(const erase::RunContext& run, const std::string& subKey, const std::string& name) {
  const std::string off = "no";
  if (erase::ReadRegString(run, CurrentUser, subKey, name) == off) return;
  erase::WriteRegValue(run, CurrentUser, subKey, name, off, platform::regtype::String);
}

}  // namespace

void ClearAutoComplete(const erase::RunContext& run) {
  report::reportingNext(run.os, report::tail::ClearAutoComplete, [&] {
    // What the companion empties cannot be listed from here: the plan names the work handed
    // to it. Nobody waits for the companion or asks how it went.
    erase::removeOrPlan(run.flags, TargetKind::Setting, kFormEntries, 0, [&] {
      const std::string exe = erase::AddBackslash(run.os.system.programFolder()) + "iea.exe";
      if (run.os.launcher.shellExecute(run.owner, "open", exe, "1", "1", platform::showcmd::Hide))
        return erase::Result{true, "started iea.exe; it reports nothing back"};
      return erase::Result{false, "iea.exe could not be started"};
    });
  });
}

void ClearOEDeletedItems(const erase::RunContext& run) {
  const std::string identity = erase::ReadRegString(run, CurrentUser, "Identities", "Default User ID");
  const std::string store = erase::ReadRegString(
      run, CurrentUser, "Identities\\" + identity + "\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root");
  // Absolute folders only: a relative or empty one would name a file in whatever folder is current.
  const std::string folder = erase::NormaliseFolderPath(store);
  if (folder.empty()) return;
  const std::string file = folder + "Deleted Items.dbx";
  if (RemoveNamedFile(run, file, erase::TargetKind::File) == Removal::Failed)
    throw report::RuntimeError(70, "Permission denied");
}

void DisableAutoComplete(const erase::RunContext& run) {
  report::resumeNext([&] { deleteKeyUnlessLinked(run.os.registry, run.flags, kSavedPasswords); });
  report::resumeNext([&] { switchOff(run, "Software\\Microsoft\\Internet Explorer\\Main", "Use FormSuggest"); });
  report::resumeNext([&] { switchOff(run, "Software\\Microsoft\\Explorer\\AutoComplete", "Use AutoComplete"); });
}

}  // namespace clean
