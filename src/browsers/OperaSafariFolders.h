#pragma once
// Where Opera 9 to 12 and Safari 3 to 5 keep what their items clean: Opera its profile in
// application data ("Opera\\Opera", with a "profile" folder below it in 9) and from 10 on
// its caches in local application data; Safari its history, cookies and form values in
// application data and its cache in local application data, both "Apple Computer\\Safari".
#include <vector>

#include "browsers/ProfileFolder.h"
#include "clean/FolderTargets.h"

namespace browsers {

// Each folder of the kind that is there; a link is refused.
std::vector<ProfileFolder> FindOperaFolders(const erase::RunContext& run);
std::vector<ProfileFolder> FindSafariFolders(const erase::RunContext& run);

extern const clean::FolderSource kOperaProfiles;          // Opera 9's and 10 to 12's profile
extern const clean::FolderSource kOperaProfilesAndCaches;  // the same and the local cache folder
extern const clean::FolderSource kSafariProfile;
extern const clean::FolderSource kSafariCaches;

}  // namespace browsers
