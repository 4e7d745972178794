#pragma once
#include "platform/FileSystem.h"

namespace platform::win32 {

// The file system through kernel32's narrow calls.
class Win32FileSystem : public FileSystem {
 public:
  long findFiles(const std::string& pattern, std::vector<FindData>* out) override;
  uint32_t getAttributes(const std::string& path) override;
  long setAttributes(const std::string& path, uint32_t attributes) override;
  long deleteFile(const std::string& path) override;
  long removeDirectory(const std::string& path) override;
  long createDirectory(const std::string& path) override;
  long readFile(const std::string& path, std::string* data) override;
  long readFileHead(const std::string& path, size_t maxBytes, std::string* data) override;
  long openForReading(const std::string& path) override;
  long writeFile(const std::string& path, const std::string& data) override;
  long getShortPathName(const std::string& path, std::string* shortPath) override;
  long deleteAtRestart(const std::string& path) override;
  std::uintptr_t startFolderWatch(const std::string& folder, uint32_t filter) override;
  WatchState waitFolderWatch(std::uintptr_t watch, uint32_t ms) override;
  bool rearmFolderWatch(std::uintptr_t watch) override;
  void closeFolderWatch(std::uintptr_t watch) override;
  std::unique_ptr<HeldFolder> holdFolder(const std::string& path, FileIdentity* identity) override;
  std::string substitutedDrive(char letter) override;
  bool shellCopyFile(const std::string& from, const std::string& to) override;  // Win32ShellCopy.cpp
  uint32_t logicalDrives() override;
  uint32_t driveType(const std::string& root) override;
  long diskSpace(const std::string& root, DiskSpace* out) override;
  // One file held for acting on (Win32OpenFile.cpp).
  std::unique_ptr<OpenFile> openFile(const std::string& path, long* error) override;
  long identityAt(const std::string& path, FileIdentity* identity) override;
  long fileIndexAt(const std::string& path, uint64_t* index) override;
  std::unique_ptr<OpenFile> createNewFile(const std::string& path, long* error) override;
};

}  // namespace platform::win32
