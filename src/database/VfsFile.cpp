#include "database/VfsFile.h"

// The file methods SQLite calls, each one action through the held handle.

#include <cstring>
#include <new>
#include <string>

#include "database/JournalWipe.h"

namespace database {

namespace {

platform::OpenFile& held(sqlite3_file* f) { return *reinterpret_cast<VfsFile*>(f)->file; }

int closeFile(sqlite3_file* f) {
  delete reinterpret_cast<VfsFile*>(f)->file;
  return SQLITE_OK;
}

int readFile(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
  std::string data;
  if (held(f).readAt(static_cast<uint64_t>(offset), static_cast<size_t>(amount), &data)) return SQLITE_IOERR_READ;
  std::memcpy(buffer, data.data(), data.size());
  if (data.size() == static_cast<size_t>(amount)) return SQLITE_OK;
  // SQLite relies on the missing part being zeros.
  std::memset(static_cast<char*>(buffer) + data.size(), 0, static_cast<size_t>(amount) - data.size());
  return SQLITE_IOERR_SHORT_READ;
}

int writeFile(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
  const std::string data(static_cast<const char*>(buffer), static_cast<size_t>(amount));
  return held(f).writeAt(static_cast<uint64_t>(offset), data) ? SQLITE_IOERR_WRITE : SQLITE_OK;
}

// A cut journal or WAL gives old pages back to the disk, and so does the database's tail
// cut by VACUUM, which may hold rows a browser deleted without zeroing them: zeros first.
int truncateFile(sqlite3_file* f, sqlite3_int64 size) {
  if (zeroFrom(held(f), static_cast<uint64_t>(size))) return SQLITE_IOERR_TRUNCATE;
  return held(f).setLength(static_cast<uint64_t>(size)) ? SQLITE_IOERR_TRUNCATE : SQLITE_OK;
}

int syncFile(sqlite3_file* f, int) { return held(f).flush() ? SQLITE_IOERR_FSYNC : SQLITE_OK; }

int fileSize(sqlite3_file* f, sqlite3_int64* size) {
  uint64_t bytes = 0;
  if (held(f).size(&bytes)) return SQLITE_IOERR_FSTAT;
  *size = static_cast<sqlite3_int64>(bytes);
  return SQLITE_OK;
}

// No locks: the database, its journal and its WAL are held shared with nobody, so no
// other program can read or write them while this connection has them open.
int lockFile(sqlite3_file*, int) { return SQLITE_OK; }
int unlockFile(sqlite3_file*, int) { return SQLITE_OK; }
int checkReservedLock(sqlite3_file*, int* reserved) {
  *reserved = 0;
  return SQLITE_OK;
}

int fileControl(sqlite3_file*, int, void*) { return SQLITE_NOTFOUND; }
int sectorSize(sqlite3_file*) { return 512; }
int deviceCharacteristics(sqlite3_file*) { return 0; }

// Version 1: no shared memory. A WAL database is opened in exclusive locking mode, where
// SQLite keeps the WAL's index on its heap instead.
const sqlite3_io_methods kMethods = {
    1, closeFile, readFile, writeFile, truncateFile, syncFile, fileSize, lockFile, unlockFile,
    checkReservedLock, fileControl, sectorSize, deviceCharacteristics,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

}  // namespace

void placeVfsFile(sqlite3_file* memory, std::unique_ptr<platform::OpenFile> file) {
  new (memory) VfsFile{{&kMethods}, file.release()};
}

}  // namespace database
