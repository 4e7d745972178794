#include "clean/TempFolderGuard.h"

namespace clean {

FolderRefusal JudgeTempFolder(const erase::RunContext& run, const std::string& normalisedFolder,
                              const platform::FileIdentity& held) {
  static const FolderRole kTemp{{}, {"TEMP"}};
  return JudgeFolder(run, normalisedFolder, held, kTemp);
}

bool IsProtectedFolder(const erase::RunContext& run, const std::string& normalisedFolder,
                       const platform::FileIdentity& held) {
  return JudgeTempFolder(run, normalisedFolder, held) != FolderRefusal::None;
}

}  // namespace clean
