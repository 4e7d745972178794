#include "engine/ReportFile.h"

#include "engine/PlanReport.h"
#include "platform/FileSystem.h"
#include "platform/WinError.h"

namespace engine {

bool SaveReport(platform::FileSystem& files, const std::string& path, const erase::Plan& plan) {
  const std::string fresh = path + ".new";
  if (files.writeFile(fresh, ReportText(plan)) == platform::winerr::Success &&
      files.replaceFile(fresh, path) == platform::winerr::Success)
    return true;
  files.deleteFile(fresh);
  return false;
}

}  // namespace engine
