#include "clean/TempFolderGuard.h"

namespace clean {

FolderRefusal JudgeTempFolder(app::App& app, const std::string& normalisedFolder, const platform::FileIdentity& held) {
  static const FolderRole kTemp{{}, {"TEMP"}};
  return JudgeFolder(app, normalisedFolder, held, kTemp);
}

bool IsProtectedFolder(app::App& app, const std::string& normalisedFolder, const platform::FileIdentity& held) {
  return JudgeTempFolder(app, normalisedFolder, held) != FolderRefusal::None;
}

}  // namespace clean
