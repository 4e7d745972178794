#pragma once
// The folders whose contents nobody means when they empty "the temp folder": every shell
// folder of the user and of All Users, Windows with its system folder, the profiles, Program
// Files and the program's own folder.
#include <string>
#include <vector>

#include "erase/RunContext.h"

namespace clean {

struct ProtectedFolders {
  std::vector<std::string> kept;  // normalised; never emptied, nor any folder holding one
  std::string windows;            // normalised; below it only its Temp folder may be emptied
  std::string profilesRoot;       // normalised; each folder in it is someone's profile
};

// Asks Windows for each folder by the shell's folder lookup, by the older one where that
// has no answer (each is missing from some Windows the other serves), and by the registry;
// a lookup that fails adds nothing. The shell folders
// `except` are left out: they name the folder being judged.
ProtectedFolders LookUpProtectedFolders(const erase::RunContext& run, const std::vector<int>& except);

}  // namespace clean
