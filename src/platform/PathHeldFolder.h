#pragma once
// The walk below a folder on Windows 95, 98 and ME, which have no folder handles and no
// links: entries are reached by path, through their 8.3 names where the long path would
// pass MAX_PATH. What neither reaches fails with FilenameTooLong, so the walk can count it.
#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

class PathHeldFolder : public HeldFolder {
 public:
  // `path` and `shortPath` (its 8.3 spelling, or the same text) end in a backslash.
  PathHeldFolder(FileSystem& files, std::string path, std::string shortPath);

  long list(std::vector<FindData>* out) override;
  std::unique_ptr<HeldFolder> holdChild(const std::string& name, FileIdentity* identity, long* error) override;
  std::unique_ptr<HeldFolder> holdChildToLookIn(const std::string& name, FileIdentity* identity, long* error) override;
  long removeChildFile(const std::string& name, bool clearAttributes, const EntryCheck& check) override;
  long removeListedFile(const FindData& listed, bool clearAttributes) override;
  long removeChildFolder(const std::string& name, std::unique_ptr<HeldFolder> child, bool clearAttributes) override;
  // Without file ids nothing can be compared: taken as the file. With them, a walk by path
  // cannot tell, so it is not.
  bool isChild(const std::string& name, const FileIdentity& file) override;
  long childIdentity(const std::string& name, FileIdentity* identity) override;
  // Opened by path (8.3 where the long path would not fit); there are no links to follow.
  std::unique_ptr<OpenFile> openChildFile(const std::string& name, long* error) override;
  // Created by path, new (CREATE_NEW): there are no links to write through.
  std::unique_ptr<OpenFile> createChildFile(const std::string& name, long* error) override;

 private:
  std::string shortOf(const std::string& name) const;
  // The spelling of the entry that fits in MAX_PATH with `room` characters to spare:
  // FilenameTooLong when neither the long nor the 8.3 path does, FileNotFound when the
  // 8.3 name listed now leads to another entry.
  long reachable(const std::string& name, size_t room, std::string* path) const;

  FileSystem& files_;
  std::string path_, short_;
  std::map<std::string, std::string> shortNames_;  // long name -> 8.3 name, from the last listing
};

// Holds `path` the 9x way: nothing is opened, only its attributes are read. Null when it
// is not there.
std::unique_ptr<HeldFolder> holdFolderByPath(FileSystem& files, const std::string& path, FileIdentity* identity);

}  // namespace platform
