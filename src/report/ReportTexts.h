#pragma once
// What every reporting procedure puts before the error's number and description. These are
// wire content: letter case, commas and blanks are sent exactly as written here.
#include <exception>
#include <string>

namespace platform {
struct Platform;
}

namespace report {

struct ReportTail {
  const char* text;        // the report text before the description
  bool appendDescription;  // whether the description follows it
};

namespace tail {
constexpr ReportTail FindOS{"ModClean, FindOS, ", true};
constexpr ReportTail doClean{"frmMain,FomLoad, ", true};
constexpr ReportTail EmptyRecylbin{"ModClean, EmptyRecylbin, ", true};
constexpr ReportTail CleanRunMRU{"modClean, CleanRunMRU, ", true};
constexpr ReportTail ClearFind{"ModClean,ClearFind, ", true};
constexpr ReportTail CleanScanDiskFiles{"CleanScanDiskFiles, ModClean ", false};
constexpr ReportTail CleanWindTemp{"ModClean, CleanWindTemp, ", true};
constexpr ReportTail CleanOpenSave{"ModClean, CleanOpenSave, ", true};
constexpr ReportTail CleanSearchComp{"ModClean,CleanSearchComp, ", true};
constexpr ReportTail ClearIEHistory{"ModClean, ClearIEHistory, ", true};
constexpr ReportTail ClearTypedURLs{"ClearTypedURLs, ClearTypedURLs, ", true};
constexpr ReportTail ClearAutoComplete{"ModClean, ClearAutoComplete, ", true};
constexpr ReportTail ClearURLErrorLog{"ModClean, ClearURLErrorLog, ", true};
constexpr ReportTail CleanNSTypedUrl{"ModClean, CleanNSTypedUrl, ", true};
constexpr ReportTail CleanNescapeCache{"Brackenfold, CleanNescapeCache, ", true};
constexpr ReportTail CleanNetscapeMail{"Brackenfold, CleanNetscapeMail, ", true};
constexpr ReportTail ClearNetScapeHistory{"ModClean, ClearNetScapeHistory, ", true};
constexpr ReportTail ClearAutoComplte{"ModClean, ClearAutoComplte, ", true};
constexpr ReportTail trySaveSettingString{"tryc_con, trySaveSettingString, ", true};
constexpr ReportTail tryMyGetSettingString{"module, tryMyGetSettingString, ", true};
constexpr ReportTail timPanic_Timer{"frmMain, timePanic_Timer, ", true};
constexpr ReportTail CheckAllWindows{"mdPanic, CheckAllWindows, ", true};
constexpr ReportTail cmdShredBrowse_Click{"frmMain, cmdShredBrowse_Click", false};
// Form_Load of frmCustom; an error number of 0 is not reported.
constexpr ReportTail frmCustom_Form_Load{"frmCustom,FormLoad, ", true};
}  // namespace tail

// The report text of a tail for an error with this description.
std::string reportText(const ReportTail& tail, const std::string& description);

// The error tail: reports what was caught under the procedure's text. The caller goes on
// with its next statement.
void reportFailure(platform::Platform& os, const ReportTail& tail, long number, const std::string& description);
void reportFailure(platform::Platform& os, const ReportTail& tail, const std::exception& caught);

// One statement under an error tail: a failure is reported with the procedure's names and
// the procedure goes on with its next statement.
template <typename Step>
void reportingNext(platform::Platform& os, const ReportTail& tail, Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    reportFailure(os, tail, e);
  }
}

}  // namespace report
