#include "database/PlatformVfs.h"

#include <cstring>
#include <ctime>
#include <memory>

#include "database/VfsFile.h"
#include "database/JournalWipe.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"

// SQLITE_OS_OTHER leaves the start and end of SQLite's OS layer to the program. Nothing
// is registered here: each connection brings its own VFS over its own file system.
int sqlite3_os_init(void) { return SQLITE_OK; }
int sqlite3_os_end(void) { return SQLITE_OK; }

namespace database {

namespace {

constexpr int kMaxPath = 260;  // MAX_PATH: the narrow calls take no longer path

PlatformVfs& self(sqlite3_vfs* vfs) { return *static_cast<PlatformVfs*>(vfs->pAppData); }

// A link opened as itself holds nothing of the database; what it names lies elsewhere.
// A journal with other names would have someone else's file zeroed with it.
bool mustNotActThrough(const platform::FileIdentity& identity, bool isJournal) {
  return (identity.attributes & platform::fileattr::ReparsePoint) || (isJournal && identity.links > 1);
}

}  // namespace

PlatformVfs::PlatformVfs(platform::FileSystem& files) : files_(files), vfs_() {
  static unsigned made = 0;
  name_ = "quellery-" + std::to_string(++made);
  vfs_.iVersion = 1;
  vfs_.szOsFile = sizeof(VfsFile);
  vfs_.mxPathname = kMaxPath;
  vfs_.zName = name_.c_str();
  vfs_.pAppData = this;
  vfs_.xOpen = open;
  vfs_.xDelete = remove;
  vfs_.xAccess = access;
  vfs_.xFullPathname = fullPathname;
  vfs_.xRandomness = randomness;
  vfs_.xSleep = sleep;
  vfs_.xCurrentTime = currentTime;
  vfs_.xGetLastError = lastError;
  sqlite3_vfs_register(&vfs_, 0);
}

PlatformVfs::~PlatformVfs() { sqlite3_vfs_unregister(&vfs_); }

void PlatformVfs::refuse(long error, bool link) {
  if (refusal_ || refusedLink_) return;
  refusal_ = error;
  refusedLink_ = link;
}

int PlatformVfs::open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags) {
  file->pMethods = nullptr;
  // Nameless files are temporary ones, which SQLITE_TEMP_STORE=3 keeps in memory.
  if (!name) return SQLITE_CANTOPEN;
  PlatformVfs& me = self(vfs);
  long error = 0;
  std::unique_ptr<platform::OpenFile> held = me.files_.openFile(name, &error);
  if (!held && error == platform::winerr::FileNotFound && (flags & SQLITE_OPEN_CREATE))
    held = me.files_.createNewFile(name, &error);
  if (!held) {
    me.refuse(error, false);
    return SQLITE_CANTOPEN;
  }
  const bool isJournal = !(flags & SQLITE_OPEN_MAIN_DB);
  const platform::FileIdentity identity = held->identity();
  if (mustNotActThrough(identity, isJournal)) {
    me.refuse(platform::winerr::AccessDenied, true);
    return SQLITE_CANTOPEN;
  }
  // A read-only file is held for reading only: SQLite is told so and refuses to write.
  if (outFlags)
    *outFlags = identity.attributes & platform::fileattr::ReadOnly
                    ? (flags & ~SQLITE_OPEN_READWRITE) | SQLITE_OPEN_READONLY
                    : flags;
  placeVfsFile(file, std::move(held));
  return SQLITE_OK;
}

// SQLite deletes journals and WAL files only, never the database: their bytes are zeroed
// through the held handle and reach the disk before the name goes.
int PlatformVfs::remove(sqlite3_vfs* vfs, const char* name, int) {
  const long rc = zeroAndRemove(self(vfs).files_, name);
  if (rc == platform::winerr::FileNotFound || rc == platform::winerr::PathNotFound) return SQLITE_IOERR_DELETE_NOENT;
  return rc ? SQLITE_IOERR_DELETE : SQLITE_OK;
}

int PlatformVfs::access(sqlite3_vfs* vfs, const char* name, int flags, int* result) {
  const uint32_t attributes = self(vfs).files_.getAttributes(name);
  *result = attributes != platform::fileattr::Invalid &&
            (flags != SQLITE_ACCESS_READWRITE || !(attributes & platform::fileattr::ReadOnly));
  return SQLITE_OK;
}

// Paths come whole from the caller ("C:\\...\\places.sqlite"); SQLite only appends
// "-journal" and "-wal" to them.
int PlatformVfs::fullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
  const size_t length = std::strlen(name);
  if (length >= static_cast<size_t>(size)) return SQLITE_CANTOPEN;
  std::memcpy(out, name, length + 1);
  return SQLITE_OK;
}

// Only WAL salts come from here, which need to differ between checkpoints, not to be secret.
int PlatformVfs::randomness(sqlite3_vfs*, int bytes, char* out) {
  static uint32_t state = (static_cast<uint32_t>(std::time(nullptr)) ^ static_cast<uint32_t>(std::clock())) | 1u;
  for (int i = 0; i < bytes; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    out[i] = static_cast<char>(state);
  }
  return bytes;
}

// Nothing is worth waiting for: no other program can hold a lock on these files.
int PlatformVfs::sleep(sqlite3_vfs*, int microseconds) { return microseconds; }

int PlatformVfs::currentTime(sqlite3_vfs*, double* julianDay) {
  *julianDay = static_cast<double>(std::time(nullptr)) / 86400.0 + 2440587.5;
  return SQLITE_OK;
}

int PlatformVfs::lastError(sqlite3_vfs*, int, char*) { return 0; }

}  // namespace database
