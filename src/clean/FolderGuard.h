#pragma once
// Whether a folder is a safe place to delete in: a folder the user means when they say
// "the temp folder" or "my Favorites", and not a drive, Windows, a profile or another of
// their folders under that name, however the path is spelt.
#include <string>
#include <vector>

#include "erase/RunContext.h"
#include "platform/FileSystem.h"

namespace clean {

enum class FolderRefusal {
  None,             // a safe place
  NoFolder,         // no path, a relative one, or not a folder
  LeadsElsewhere,   // a share or device path, or a link
  WholeDrive,       // a drive root
  OwnFolder,        // another shell folder of the user or of All Users, Windows, Program Files...
  HoldsOwnFolders,  // a folder holding one of those
  InsideWindows,    // inside a Windows folder, other than where the role may lie
  Profile,          // a folder directly in the folder that holds the profiles
  CannotTell,       // no file ids and no marker: an alias could not be told apart
};

// What sets one guarded folder apart from the rest.
struct FolderRole {
  std::vector<int> ownShellFolders;            // the shell folder ids it answers to
  std::vector<std::string> windowsSubFolders;  // upper-case: folders of Windows it may lie in
};

// Judges `normalisedFolder` (erase::NormaliseFolderPath), held open as `held`. Letter case,
// 8.3 names and substituted drives are seen through, and folders are compared by identity,
// so an alias of any kind is recognised: by file ids where Windows tells them, else (95, 98,
// ME) by a marker file dropped in the folder for the check and removed.
FolderRefusal JudgeFolder(const erase::RunContext& run, const std::string& normalisedFolder,
                          const platform::FileIdentity& held, const FolderRole& role);

// The refusal as the end of a sentence about the folder ("holds other folders of yours").
const char* RefusalReason(FolderRefusal refusal);

}  // namespace clean
