#pragma once
#include <windows.h>

#include "platform/OpenFile.h"

namespace platform::win32 {

// A file handle of kernel32 or ntdll. On the NT family every action goes through the
// handle; Windows 95, 98 and ME, which have no links and no handle-based rename or
// delete, set attributes, rename and delete by the name it was opened by (deleting
// closes the handle first).
class Win32OpenFile : public OpenFile {
 public:
  // Takes over `handle` (opened with read, write and delete access), closing it at the
  // end; `path` is the name it was opened by.
  Win32OpenFile(HANDLE handle, std::string path);
  ~Win32OpenFile() override;
  Win32OpenFile(const Win32OpenFile&) = delete;
  Win32OpenFile& operator=(const Win32OpenFile&) = delete;

  // CreateFileA with no sharing, a link opened as the link.
  static std::unique_ptr<OpenFile> open(const std::string& path, long* error);
  // CreateFileA with CREATE_NEW and no sharing.
  static std::unique_ptr<OpenFile> createNew(const std::string& path, long* error);

  FileIdentity identity() override;
  long size(uint64_t* bytes) override;
  long readAt(uint64_t offset, size_t bytes, std::string* out) override;
  long writeAt(uint64_t offset, std::string_view data) override;
  long flush() override;
  long setLength(uint64_t length) override;
  long setAttributes(uint32_t attributes) override;
  long namedStreams(std::vector<StreamInfo>* out) override;
  std::unique_ptr<OpenFile> openStream(const std::string& name, long* error) override;
  long rename(const std::string& newName) override;
  long replace(const std::string& newName) override;
  long remove() override;

 private:
  long seek(uint64_t offset);
  // FileRenameInformation within the file's folder, replacing an entry of that name or not.
  long renameWithin(const std::string& newName, bool replacing);
  long renameTo(const std::string& target, bool replacing);
  // 95, 98, ME: no handle-based rename and no links, so by name, the old file kept aside
  // until the new one is in place.
  long replaceByName(const std::string& target);

  HANDLE handle_;
  std::string path_;
};

}  // namespace platform::win32
