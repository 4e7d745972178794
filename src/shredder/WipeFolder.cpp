#include "shredder/WipeFolder.h"

#include <cctype>
#include <cstdio>

#include "app/Session.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"
#include "shredder/WipeDrives.h"

namespace shredder {

using namespace platform;

const char kWipeFolderName[] = "Quellery Free Space Wipe";
const char kWipeNoteName[] = "About this folder.txt";
const char kWipeNoteText[] =
    "Quellery writes this folder while it wipes the drive's free space: the fill*.tmp files in it take up the free "
    "space so that what deleted files left there is overwritten. Quellery removes them when the wipe ends, or when "
    "it next starts.\r\n";

namespace {

// A filler is a plain file; a link or a folder in its place is someone else's.
long plainFileOnly(uint32_t attributes) {
  return attributes & (fileattr::ReparsePoint | fileattr::Directory) ? winerr::AccessDenied : winerr::Success;
}

// "fill" and five digits, ".tmp": the names the wipe gives, and no other.
bool isFillerName(const std::string& name) {
  if (name.size() != 13 || !sameName(name.substr(0, 4), "fill") || !sameName(name.substr(9), ".tmp")) return false;
  for (size_t i = 4; i < 9; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

bool plainFile(const FindData& entry) {
  return !(entry.attributes & (fileattr::ReparsePoint | fileattr::Directory));
}

Leftover leaveWhole(const std::string& path, const char* reason) {
  erase::logSkipped(path, reason);
  return Leftover::LeftWhole;
}

}  // namespace

std::string fillerName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "fill%05d.tmp", number);
  return name;
}

int removeFillers(HeldFolder& folder, const std::vector<std::string>& names) {
  int left = 0;
  for (const std::string& name : names) {
    const long rc = folder.removeChildFile(name, true, plainFileOnly);
    if (rc != winerr::Success && rc != winerr::FileNotFound) ++left;
  }
  return left;
}

Leftover removeLeftoverWipeFolder(HeldFolder& root, const std::string& rootPath) {
  std::vector<FindData> entries;
  if (root.list(&entries) != winerr::Success) return Leftover::None;
  const FindData* found = nullptr;
  for (const FindData& entry : entries)
    if (sameName(entry.name, kWipeFolderName)) found = &entry;
  if (!found) return Leftover::None;
  const std::string path = rootPath + found->name;
  if ((found->attributes & fileattr::ReparsePoint) || !(found->attributes & fileattr::Directory))
    return leaveWhole(path, "not the wipe's folder: a link or a file");
  FileIdentity identity;
  long error = 0;
  std::unique_ptr<HeldFolder> folder = root.holdChild(found->name, &identity, &error);
  if (!folder) return leaveWhole(path, "cannot be opened");
  if (identity.attributes & fileattr::ReparsePoint) return leaveWhole(path, "not the wipe's folder: a link");
  std::vector<FindData> inside;
  if (folder->list(&inside) != winerr::Success) return leaveWhole(path, "cannot be listed");
  bool noteFound = false;
  std::vector<std::string> fillers;
  for (const FindData& entry : inside) {
    if (!plainFile(entry)) return leaveWhole(path, "holds a folder or a link the wipe did not make");
    if (entry.name == kWipeNoteName) {
      noteFound = true;
    } else if (isFillerName(entry.name)) {
      fillers.push_back(entry.name);
    } else {
      return leaveWhole(path, "holds a file the wipe did not make");
    }
  }
  if (!noteFound) return leaveWhole(path, "has no note of the wipe: not the program's folder");
  fillers.push_back(kWipeNoteName);
  if (removeFillers(*folder, fillers) != 0) return leaveWhole(path, "a filler file could not be removed");
  if (root.removeChildFolder(found->name, std::move(folder), true) != winerr::Success)
    return leaveWhole(path, "could not be removed");
  return Leftover::Removed;
}

void RemoveLeftoverWipeFolders(app::Session& session) {
  FileSystem& files = session.os.files;
  for (const std::string& drive : wipeableDrives(files)) {
    const std::string root = drive + "\\";
    // Start-up lists no drive's root for a folder that is not there.
    if (files.getAttributes(root + kWipeFolderName) == fileattr::Invalid) continue;
    FileIdentity identity;
    std::unique_ptr<HeldFolder> held = files.holdFolder(root, &identity);
    if (!held || (identity.attributes & fileattr::ReparsePoint)) continue;
    removeLeftoverWipeFolder(*held, root);
  }
}

}  // namespace shredder
