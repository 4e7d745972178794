// Internet Explorer's traces in the current user's registry, and the files it points to.
#include "clean/IEItems.h"
#include "clean/NamedFileRemoval.h"
#include "clean/RegistryPurge.h"
#include "engine/RunContext.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/RegValues.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"

namespace clean {

namespace {

using platform::hkey::CurrentUser;
using erase::Outcome;
using erase::TargetKind;

const char kFormEntries[] = "AutoComplete form entries (emptied by iea.exe)";
const char kSavedPasswords[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW";

// True when the key is a registry link: deleting it would delete the key it leads to.
bool isLinkKey(platform::Registry& registry, const std::string& subKey) {
  platform::HKey key = 0;
  if (registry.openKeyAsLink(CurrentUser, subKey, platform::regaccess::Read, &key) != platform::winerr::Success)
    return false;
  uint32_t type = 0, size = 0;
  const bool link = registry.queryValue(key, platform::kSymbolicLinkValue, &type, nullptr, &size) ==
                        platform::winerr::Success &&
                    type == platform::regtype::Link;
  registry.closeKey(key);
  return link;
}

// The plain, non-recursive key deletion, of a key that is there and is no link.
void deleteKeyUnlessLinked(platform::Registry& registry, engine::RunFlags& flags, const std::string& subKey) {
  platform::HKey key = 0;
  if (registry.openKey(CurrentUser, subKey, &key) != platform::winerr::Success) return;
  registry.closeKey(key);
  const std::string where = erase::RegistryTarget(CurrentUser, subKey);
  if (isLinkKey(registry, subKey)) {
    erase::record(flags, TargetKind::RegistryKey, where, 0, Outcome::Refused, "leads to another place in the registry");
    return;
  }
  if (erase::collecting(flags)) {
    erase::record(flags, TargetKind::RegistryKey, where, 0, Outcome::Planned);
    return;
  }
  const long error = registry.deleteKey(CurrentUser, subKey);
  if (error == platform::winerr::Success)
    erase::record(flags, TargetKind::RegistryKey, where, 0, Outcome::Removed);
  else
    erase::record(flags, TargetKind::RegistryKey, where, 0, Outcome::Failed, erase::describeRegistryError(error));
}

// Sets an AutoComplete switch to "no", and tells it done only when it reads "no" afterwards.
// A switch that is off already is written again but is no change to promise or report.
void switchOff(const engine::RunContext& run, const std::string& subKey, const std::string& name) {
  const std::string off = "no";
  const std::string where = erase::RegistryTarget(CurrentUser, subKey, name);
  const bool wasOff = erase::ReadRegString(run, CurrentUser, subKey, name) == off;
  if (erase::collecting(run.flags)) {
    if (!wasOff) erase::record(run.flags, TargetKind::Setting, where, off.size(), Outcome::Planned);
    return;
  }
  settings::trySaveSettingString(run.os, CurrentUser, subKey, name, off);
  if (wasOff) return;
  if (erase::ReadRegString(run, CurrentUser, subKey, name) == off)
    erase::record(run.flags, TargetKind::Setting, where, off.size(), Outcome::Removed);
  else
    erase::record(run.flags, TargetKind::Setting, where, off.size(), Outcome::Failed, "the value could not be written");
}

}  // namespace

void ClearTypedURLs(const engine::RunContext& run) {
  report::reportingNext(run.os, report::tail::ClearTypedURLs,
                        [&] { PurgeRegistryList(run, "Software\\Microsoft\\Internet Explorer\\TypedURLs"); });
}

void ClearAutoComplete(const engine::RunContext& run) {
  if (run.flags.abort) return;
  report::reportingNext(run.os, report::tail::ClearAutoComplete, [&] {
    // What the companion empties cannot be listed from here: the plan names the work handed to it.
    if (erase::collecting(run.flags)) {
      erase::record(run.flags, erase::TargetKind::Setting, kFormEntries, 0, erase::Outcome::Planned);
      return;
    }
    // Nobody waits for the companion or asks how it went.
    const std::string exe = erase::AddBackslash(run.os.system.programFolder()) + "iea.exe";
    if (run.os.launcher.shellExecute(run.owner, "open", exe, "1", "1", platform::showcmd::Hide))
      erase::record(run.flags, erase::TargetKind::Setting, kFormEntries, 0, erase::Outcome::Removed,
                    "started iea.exe; it reports nothing back");
    else
      erase::record(run.flags, erase::TargetKind::Setting, kFormEntries, 0, erase::Outcome::Failed,
                    "iea.exe could not be started");
  });
}

void ClearIntelliForms(const engine::RunContext& run) {
  if (run.flags.abort) return;
  report::resumeNext([&] { DeleteRegTreeUnlessLinked(run, "Software\\Microsoft\\Internet Explorer\\IntelliForms"); });
}

void ClearURLErrorLog(const engine::RunContext& run) {
  report::reportingNext(run.os, report::tail::ClearURLErrorLog,
                        [&] { PurgeRegistryList(run, "Software\\Microsoft\\Search Assistant\\ACMru\\5604"); });
}

void ClearOEDeletedItems(const engine::RunContext& run) {
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

void DisableAutoComplete(const engine::RunContext& run) {
  report::resumeNext([&] { deleteKeyUnlessLinked(run.os.registry, run.flags, kSavedPasswords); });
  report::resumeNext([&] { switchOff(run, "Software\\Microsoft\\Internet Explorer\\Main", "Use FormSuggest"); });
  report::resumeNext([&] { switchOff(run, "Software\\Microsoft\\Explorer\\AutoComplete", "Use AutoComplete"); });
}

}  // namespace clean
