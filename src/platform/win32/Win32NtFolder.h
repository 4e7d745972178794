#pragma once
// A folder held by an NT handle, walked through it (Win32NtFolder.cpp).
#include <windows.h>

#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace platform::win32 {

// What the handle tells of the file or folder behind it; false when it tells nothing.
bool identityOf(HANDLE handle, FileIdentity* identity);
// The file's index on its volume alone, in one request.
long fileIndexOf(HANDLE handle, uint64_t* index);

class NtHeldFolder : public HeldFolder {
 public:
  // `volumeSerial`: the serial number of the volume the folder is on, which every entry
  // opened below it as itself shares.
  NtHeldFolder(HANDLE handle, uint32_t volumeSerial);
  ~NtHeldFolder() override;
  NtHeldFolder(const NtHeldFolder&) = delete;
  NtHeldFolder& operator=(const NtHeldFolder&) = delete;

  long list(std::vector<FindData>* out) override;
  std::unique_ptr<HeldFolder> holdChild(const std::string& name, FileIdentity* identity, long* error) override;
  std::unique_ptr<HeldFolder> holdChildToLookIn(const std::string& name, FileIdentity* identity, long* error) override;
  long removeChildFile(const std::string& name, bool clearAttributes, const EntryCheck& check) override;
  long removeListedFile(const FindData& listed, bool clearAttributes) override;
  long removeChildFolder(const std::string& name, std::unique_ptr<HeldFolder> child, bool clearAttributes) override;
  bool isChild(const std::string& name, const FileIdentity& file) override;
  long childIdentity(const std::string& name, FileIdentity* identity) override;
  std::unique_ptr<OpenFile> openChildFile(const std::string& name, long* error) override;
  std::unique_ptr<OpenFile> createChildFile(const std::string& name, long* error) override;

 private:
  // The sub-folder held relative to this one; with `forRemoval` also with delete access.
  std::unique_ptr<HeldFolder> openChild(const std::string& name, bool forRemoval, FileIdentity* identity,
                                        long* error);
  static bool plainName(const std::string& name);
  // The entry's name as the folder spelled it when listed: the narrow name may have lost
  // characters the ANSI code page lacks.
  std::wstring wideName(const std::string& name) const;

  HANDLE handle_;
  uint32_t volumeSerial_;
  std::map<std::string, std::wstring> names_;
};

}  // namespace platform::win32
