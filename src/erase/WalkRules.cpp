#include "erase/WalkRules.h"

#include "engine/RunContext.h"
#include "erase/ActivityLog.h"
#include "erase/FolderPaths.h"
#include "erase/Plan.h"

namespace erase {

void yieldOnce(const engine::RunContext& run) {
  try {
    PassSetAside answeringTheUser(run.flags);
    run.os.loop.doEvents();
  } catch (const std::exception&) {
  }
}

bool aborted(const engine::RunContext& run) { return run.flags.abort; }

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool wildcardMatch(const char* mask, const char* name) {
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask && (*mask == '?' || upper(*mask) == upper(*name))) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == 0;
}

}  // namespace

bool longNameMatches(const std::string& mask, const std::string& name) {
  return mask == "*.*" || wildcardMatch(mask.c_str(), name.c_str());
}

void logSkipped(const std::string& path, const char* reason) {
  LogActivity(path + " **** skipped: " + reason, ActivityTimeStamp());
}

std::unique_ptr<platform::HeldFolder> holdPlainFolder(const engine::RunContext& run, const std::string& folder,
                                                      platform::FileIdentity* identity) {
  using namespace platform;
  const std::string path = FolderToOpen(folder);
  std::unique_ptr<HeldFolder> held;
  try {
    held = run.os.files.holdFolder(path, identity);
  } catch (const std::exception&) {
    held.reset();
  }
  if (!held) {
    logSkipped(path, "cannot be opened");
    return nullptr;
  }
  // The handle tells on Windows; where handles follow links (Wine's do), the path's own
  // attributes, read once the folder is held and can no longer change, tell as well.
  uint32_t pathAttributes = fileattr::Invalid;
  try {
    pathAttributes = run.os.files.getAttributes(path);
  } catch (const std::exception&) {
  }
  const char* refusal = nullptr;
  if ((identity->attributes & fileattr::ReparsePoint) ||
      (pathAttributes != fileattr::Invalid && (pathAttributes & fileattr::ReparsePoint)))
    refusal = "link";
  else if (!(identity->attributes & fileattr::Directory))
    refusal = "not a folder";
  if (refusal) {
    logSkipped(path, refusal);
    erase::record(run.flags, erase::TargetKind::Folder, path, 0, erase::Outcome::Refused, refusal);
    return nullptr;
  }
  return held;
}

}  // namespace erase
