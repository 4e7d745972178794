#include "engine/ReportFile.h"

#include "engine/PlanReport.h"
#include "platform/FreshFile.h"
#include "platform/WinError.h"

namespace engine {

bool SaveReport(platform::FileSystem& files, const std::string& path, const erase::Plan& plan) {
  return platform::ReplaceWithNewFile(files, path, ReportText(plan)) == platform::winerr::Success;
}

}  // namespace engine
