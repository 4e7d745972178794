// Internet Explorer's traces in the current user's registry, and the files it points to.
#include "app/App.h"
#include "clean/IEItems.h"
#include "clean/RegistryPurge.h"
#include "erase/PathChecks.h"
#include "erase/RegValues.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"

namespace clean {

namespace {

using platform::hkey::CurrentUser;

}  // namespace

void ClearTypedURLs(app::App& app) {
  report::reportingNext(app, report::tail::ClearTypedURLs,
            [&] { PurgeRegistryList(app, "Software\\Microsoft\\Internet Explorer\\TypedURLs"); });
}

void ClearAutoComplete(app::App& app) {
  if (app.flags.abort) return;
  report::reportingNext(app, report::tail::ClearAutoComplete, [&] {
    // The companion empties the form entries; nobody waits for it or asks how it went.
    const std::string exe = erase::AddBackslash(app.os.system.programFolder()) + "iea.exe";
    app.os.launcher.shellExecute(app.frm.form.hWnd, "open", exe, "1", "1", platform::showcmd::Hide);
  });
}

void ClearIntelliForms(app::App& app) {
  if (app.flags.abort) return;
  report::resumeNext([&] { DeleteRegTreeUnlessLinked(app, "Software\\Microsoft\\Internet Explorer\\IntelliForms"); });
}

void ClearURLErrorLog(app::App& app) {
  report::reportingNext(app, report::tail::ClearURLErrorLog,
            [&] { PurgeRegistryList(app, "Software\\Microsoft\\Search Assistant\\ACMru\\5604"); });
}

void ClearOEDeletedItems(app::App& app) {
  const std::string identity = erase::ReadRegString(app, CurrentUser, "Identities", "Default User ID");
  const std::string store = erase::ReadRegString(
      app, CurrentUser, "Identities\\" + identity + "\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root");
  if (store.empty()) return;
  const std::string file = erase::AddBackslash(store) + "Deleted Items.dbx";
  if (!erase::CanOpenFile(app, file)) return;
  const long error = app.os.files.deleteFile(file);
  if (error == platform::winerr::FileNotFound || error == platform::winerr::PathNotFound)
    throw report::RuntimeError(53, "File not found");
  if (error != platform::winerr::Success) throw report::RuntimeError(70, "Permission denied");
}

void DisableAutoComplete(app::App& app) {
  report::resumeNext(
      [&] { app.os.registry.deleteKey(CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW"); });
  report::resumeNext([&] {
    settings::trySaveSettingString(app, CurrentUser, "Software\\Microsoft\\Internet Explorer\\Main", "Use FormSuggest", "no");
  });
  report::resumeNext([&] {
    settings::trySaveSettingString(app, CurrentUser, "Software\\Microsoft\\Explorer\\AutoComplete", "Use AutoComplete", "no");
  });
}

}  // namespace clean
