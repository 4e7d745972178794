#pragma once
// An SQLite VFS whose files are platform::OpenFiles opened through one platform::FileSystem:
// the held, unshared handles of Windows, or the simulated machine's in the host tests.
// Each connection registers one of its own, under a name no other has, for as long as it
// lives.
#include <string>

#include <sqlite3.h>

#include "platform/FileSystem.h"

namespace database {

class PlatformVfs {
 public:
  explicit PlatformVfs(platform::FileSystem& files);
  ~PlatformVfs();
  PlatformVfs(const PlatformVfs&) = delete;
  PlatformVfs& operator=(const PlatformVfs&) = delete;

  const char* name() const { return name_.c_str(); }
  // Why the first file SQLite could not open was refused: the platform's error, or a link
  // (a reparse point, or a journal with other names) that is never acted through.
  long firstRefusal() const { return refusal_; }
  bool refusedLink() const { return refusedLink_; }

 private:
  static int open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags);
  static int remove(sqlite3_vfs* vfs, const char* name, int syncFolder);
  static int access(sqlite3_vfs* vfs, const char* name, int flags, int* result);
  static int fullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out);
  static int randomness(sqlite3_vfs* vfs, int bytes, char* out);
  static int sleep(sqlite3_vfs* vfs, int microseconds);
  static int currentTime(sqlite3_vfs* vfs, double* julianDay);
  static int lastError(sqlite3_vfs* vfs, int size, char* out);

  void refuse(long error, bool link);

  platform::FileSystem& files_;
  std::string name_;
  sqlite3_vfs vfs_;
  long refusal_ = 0;
  bool refusedLink_ = false;
};

}  // namespace database
