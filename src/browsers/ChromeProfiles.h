#pragma once
// Where Chrome and Chromium keep their profiles: "User Data" under local application data
// holds "Default" and the profiles its "Local State" names, and the lock file a running
// browser holds.
#include <string>
#include <vector>

#include "browsers/ProfileFolder.h"
#include "clean/FolderTargets.h"

namespace browsers {

struct ChromeUserData {
  const char* program;  // "Chrome", "Chromium"
  ProfileFolder folder;  // the User Data folder
  std::vector<ProfileFolder> profiles;
};

// Each User Data folder there is, with its profiles in the order Local State names them,
// "Default" first; only "Default" where Local State is missing or cannot be read.
std::vector<ChromeUserData> FindChromeUserData(const erase::RunContext& run);

extern const clean::FolderSource kChromeUserData;
extern const clean::FolderSource kChromeProfiles;

}  // namespace browsers
