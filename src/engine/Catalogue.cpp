#include "engine/Catalogue.h"

#include "clean/IEItems.h"
#include "clean/NetscapeItems.h"
#include "clean/OperaItems.h"
#include "clean/WindowsItems.h"
#include "erase/RunContext.h"

namespace engine {

const char* const kLongSeparator = "                                           ";

namespace {

using G = CleaningGroup;
using P = CleaningItem::Progress;

void emptyAllRecycleBins(const erase::RunContext& run) {
  clean::EmptyRecylbin(run, "", clean::kRecycleNoConfirmation | clean::kRecycleNoProgress | clean::kRecycleNoSound);
}

void removeUnkeptCookies(const erase::RunContext& run) { run.keptCookies.removeUnkept(run); }

const std::vector<CleaningItem> kItems = {
    {G::Windows, 0, "Clean Recycle Bin", "Cleaning Recycle Bin...", emptyAllRecycleBins, nullptr, P::None, false},
    {G::Windows, 1, "Clean Recent Run History **", "Cleaning Recent RUN History...", clean::CleanRunMRU, nullptr, P::None, false},
    {G::Windows, 2, "Clean Recent Document List", "Cleaning Recent Document List...", clean::ClearRecentDocs, nullptr, P::None, false},
    {G::Windows, 3, "Clean Find File/Folder History", "Cleaning Find File / Folder History...", clean::ClearFind, nullptr, P::BeforeText, false},
    {G::Windows, 4, "Clean Registry Fragment Files", "Cleaning Registry Fragment Files...", clean::ClearStreamMRU, nullptr, P::None, false},
    {G::Windows, 5, "Clean Clipboard", "Cleaning Clipboard...", clean::ClearClipboard, nullptr, P::BeforeText, false},
    {G::Windows, 6, "Clean ScanDisk .Chk File", "Cleaning ScanDisk .Chk File...", clean::CleanScanDiskFiles, nullptr, P::None, false},
    {G::Windows, 7, "Clean Windows Temp File Folder", "Cleaning Windows Temp File Folder...", clean::CleanWindTemp, nullptr, P::BeforeText, false},
    {G::Windows, 8, "Clean Open/Save Dialog Box History", "Cleaning Open / Save Dialog Box History...", clean::CleanOpenSave, nullptr, P::None, false},
    {G::Windows, 9, "Clean Search Computer History", "Cleaning Search Computer History...", clean::CleanSearchComp, nullptr, P::AfterText, false},
    {G::IE, 0, "Clean Location Bar History", "Cleaning Location Bar History...", clean::ClearTypedURLs, nullptr, P::None, false},
    {G::IE, 1, "Clean AutoComplete  Forms Data", "Cleaning AutoComplete Forms Data...", clean::ClearAutoComplete, nullptr, P::None, false},
    {G::IE, 2, "Clean Temporary Internet Files (Cache)", "Cleaning Temporary Internet Files (Cache)...", clean::ClearIECache, clean::CleanTempFiles, P::AfterText, false},
    {G::IE, 3, "Clean AutoComplete Password Data", "Cleaning AutoComplete Password Data...", clean::ClearIntelliForms, nullptr, P::None, false},
    {G::IE, 4, "Clean Internet History", "Cleaning Internet History...", clean::ClearIEHistory, nullptr, P::BeforeText, false},
    {G::IE, 5, "Clean URL Error Logs", "Cleaning URL Error Logs...", clean::ClearURLErrorLog, nullptr, P::BeforeText, false},
    {G::IE, 6, "Clean Locked Index.dat **", "Cleaning Locked Index.dat...", clean::ClearLockedIndexDat, nullptr, P::None, false},
    {G::IE, 7, "Clean Outlook Express Deleted Items", "Cleaning  Outlook Express Deleted Items...", clean::ClearOEDeletedItems, nullptr, P::None, false},
    {G::IE, 8, "Clean Cookies", "Cleaning Cookies...", removeUnkeptCookies, nullptr, P::None, false},
    {G::IE, 9, "Disable AutoComplete", "Disabling AutoComplete...", clean::DisableAutoComplete, nullptr, P::None, false},
    {G::Netscape, 0, "Clean Netscape Typed URL", "Cleaning Netscape Typed URL...", clean::CleanNSTypedUrl, nullptr, P::AfterText, false},
    {G::Netscape, 1, "Clean Netscape Cache", "Cleaning Netscape Cache...", clean::CleanNescapeCache, nullptr, P::None, false},
    {G::Netscape, 2, "Clean Netscape Mail History", "Cleaning Netscape Mail History...", clean::CleanNetscapeMail, nullptr, P::AfterText, false},
    {G::Netscape, 3, "Clean Netscape History", "Cleaning Netscape History...", clean::ClearNetScapeHistory, nullptr, P::None, false},
    {G::Netscape, 4, "Clean Netscape Cookies", "Cleaning Netscape Cookies...", clean::CleanNetscapeCookies, nullptr, P::BeforeText, false},
    {G::Netscape, 5, "Clean Netscape AutoComplete Form", "Cleaning Netscape AutoComplete Form...", clean::ClearAutoComplte, nullptr, P::None, false},
    {G::Opera, 0, "Clean Typed Opera URL ", "Cleaning Opera Typed URL...", clean::CleanOperaTypedUrl, nullptr, P::BeforeText, false},
    {G::Opera, 1, "Clean Opera Cache", "Cleaning Opera Cache...", clean::CleanOperaCache, clean::CleanOpera7Cache, P::None, true},
    {G::Opera, 2, "Clean Opera Cookies", "Cleaning Opera Cookies...", clean::CleanOperaCookies, clean::CleanOpera7Cookies, P::BeforeText, true},
};

}  // namespace

const std::vector<CleaningItem>& catalogue() { return kItems; }

int groupSize(CleaningGroup group) {
  switch (group) {
    case G::Windows: return 10;
    case G::IE: return 10;
    case G::Netscape: return 6;
    case G::Opera: return 3;
  }
  return 0;
}

const char* arrayName(CleaningGroup group) {
  switch (group) {
    case G::Windows: return "chkWinSettings";
    case G::IE: return "chkIEsettings";
    case G::Netscape: return "chkNSsettings";
    case G::Opera: return "chkOPsettings";
  }
  return "";
}

}  // namespace engine
