#pragma once
// The file system as the program asks for it: narrow Windows paths ("C:\\dir\\file"),
// Windows attributes and result codes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace fileattr {
constexpr uint32_t ReadOnly = 0x1, Hidden = 0x2, System = 0x4, Directory = 0x10, Archive = 0x20,
                   Normal = 0x80, Sparse = 0x200, ReparsePoint = 0x400, Compressed = 0x800,
                   Encrypted = 0x4000;
constexpr uint32_t Invalid = 0xFFFFFFFFu;
}  // namespace fileattr

struct FindData {
  uint32_t attributes = 0;
  std::string name;       // long name
  std::string shortName;  // 8.3 name, empty when the long name is already 8.3
  uint64_t size = 0;
  uint64_t creationTime = 0;   // FILETIME: 100 ns since 1601
  uint64_t lastWriteTime = 0;
};

// What GetDriveTypeA tells of a drive.
namespace drivetype {
constexpr uint32_t Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6;
}

// A drive's size and the room left on it for this user (a disk quota may leave less than
// the drive has free).
struct DiskSpace {
  uint64_t freeToCaller = 0;
  uint64_t total = 0;
};

// What a folder watch tells after a wait.
enum class WatchState { Quiet, Changed, Failed };

// What an open handle tells of the file or folder behind it.
struct FileIdentity {
  uint32_t attributes = 0;
  uint32_t volumeSerial = 0;
  uint64_t fileIndex = 0;
  uint32_t links = 0;
  uint64_t size = 0;  // bytes of a file
  bool known = false;  // false where Windows keeps no file ids (95, 98, ME): attributes only

  bool sameAs(const FileIdentity& other) const {
    return known && other.known && volumeSerial == other.volumeSerial && fileIndex == other.fileIndex;
  }
};

// What a check made on the attributes an entry's own handle reports decides: Success lets
// the action go on, anything else is the error the action reports instead.
using EntryCheck = std::function<long(uint32_t attributes)>;

// A folder kept open: while it is held nobody can rename, replace or remove it.
class OpenFile;  // platform/OpenFile.h

class HeldFolder {
 public:
  virtual ~HeldFolder() = default;

  // ---- Walking below the held folder ----
  // A name above the folder can be made to lead elsewhere while a walk yields (a drive
  // letter redefined, a junction re-pointed); the held folder cannot. So a walk lists
  // through the folder's handle and opens each entry relative to it, checks what that
  // entry's own handle sees and acts through it: no path is rebuilt from strings. Windows
  // 95, 98 and ME have no links and no folder handles: there the walk goes by path, through
  // 8.3 names where the long path would pass MAX_PATH, and FilenameTooLong where neither fits.

  // The folder's entries, "." and ".." left out.
  virtual long list(std::vector<FindData>* out) = 0;
  // The sub-folder `name` held relative to this folder; a link is opened as itself, so its
  // identity shows the reparse-point attribute. Null, with `error`, when it cannot be held.
  virtual std::unique_ptr<HeldFolder> holdChild(const std::string& name, FileIdentity* identity, long* error) = 0;
  // The same, held to be looked into and not removed, as FileSystem::holdFolder holds a
  // folder: without the delete access that would keep another hold of it out.
  virtual std::unique_ptr<HeldFolder> holdChildToLookIn(const std::string& name, FileIdentity* identity,
                                                        long* error) = 0;
  // Opens the file `name` relative to this folder (a link as itself), lets `check` judge
  // what that handle sees, and deletes it through the same handle. With `clearAttributes`
  // read-only, hidden and system are cleared through the handle first.
  virtual long removeChildFile(const std::string& name, bool clearAttributes, const EntryCheck& check) = 0;
  // Removes the file as this folder's last listing showed it, judged by that listing, through
  // a handle of its own opened relative to this folder as that very entry (a link as the
  // link, never what it leads to; a folder refused by the open itself). Nothing more is
  // asked of the handle: on the NT family the open is the whole removal, as DeleteFileA's
  // is. An entry put in its place after the listing is still only an entry of this folder.
  // With `clearAttributes` the listed read-only, hidden and system go first, through the handle.
  virtual long removeListedFile(const FindData& listed, bool clearAttributes) = 0;
  // Removes the sub-folder `name`, held as `child` through holdChild and emptied since,
  // through the child's own handle; with `clearAttributes` a read-only folder goes too.
  virtual long removeChildFolder(const std::string& name, std::unique_ptr<HeldFolder> child,
                                 bool clearAttributes) = 0;
  // True when the entry `name` of this folder is the very file `file` was opened as: a
  // path rebuilt from names may lead elsewhere by the time it is opened. Where Windows keeps
  // no file ids (95, 98, ME, which have no links either) the entry is taken as the file.
  virtual bool isChild(const std::string& name, const FileIdentity& file) = 0;
  // What the entry `name` is, as its own handle tells it: opened as itself (a link is not
  // followed) asking to read its attributes only, which a program that holds the file open
  // without sharing does not keep out. 95, 98 and ME tell attributes and size only.
  virtual long childIdentity(const std::string& name, FileIdentity* identity) = 0;
  // The file `name` of this folder opened relative to it as itself (a link is not
  // followed), for reading, writing and deletion and shared with nobody, so what is
  // written through it reaches that very file and it can then be deleted through the same
  // handle. A read-only file, or one another program holds open, is not opened: null,
  // with AccessDenied or SharingViolation in `error`. Windows 95, 98 and ME open it by
  // path, as the rest of their walk goes.
  virtual std::unique_ptr<OpenFile> openChildFile(const std::string& name, long* error) = 0;
  // Creates the file `name` relative to this folder, which must not exist: any entry of
  // that name, a link included, makes it fail with FileExists or AlreadyExists, so nothing
  // already there is written through. Held as openChildFile holds a file.
  virtual std::unique_ptr<OpenFile> createChildFile(const std::string& name, long* error) = 0;
  // ---- end of the walk ----
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // FindFirstFileA/FindNextFileA over a pattern ("C:\\dir\\*.chk"), "." and ".." included
  // for folders as Windows lists them. FileNotFound or PathNotFound when nothing matches.
  virtual long findFiles(const std::string& pattern, std::vector<FindData>* out) = 0;
  virtual uint32_t getAttributes(const std::string& path) = 0;  // Invalid when missing
  virtual long setAttributes(const std::string& path, uint32_t attributes) = 0;
  virtual long deleteFile(const std::string& path) = 0;
  virtual long removeDirectory(const std::string& path) = 0;  // empty folders only
  virtual long createDirectory(const std::string& path) = 0;
  virtual long readFile(const std::string& path, std::string* data) = 0;
  // The file's first `maxBytes` bytes at most: a file another program wrote may be of any size.
  virtual long readFileHead(const std::string& path, size_t maxBytes, std::string* data) = 0;
  // Opens the file for reading and closes it again at once, reading nothing.
  virtual long openForReading(const std::string& path) = 0;
  // Creates or truncates.
  virtual long writeFile(const std::string& path, const std::string& data) = 0;
  virtual long getShortPathName(const std::string& path, std::string* shortPath) = 0;
  // Marks the file for deletion when Windows next starts, by the name `path` has now. The
  // NT family takes it as MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT, which only an
  // administrator may ask; 95, 98 and ME as a "NUL=" line of WININIT.INI (WininitRename.h).
  virtual long deleteAtRestart(const std::string& path) = 0;

  // Folder watch (FindFirstChangeNotificationA on the folder alone, not its sub-folders;
  // `filter` holds FILE_NOTIFY_CHANGE_ bits). 0 when the folder cannot be watched.
  virtual std::uintptr_t startFolderWatch(const std::string& folder, uint32_t filter) = 0;
  // Waits up to `ms` (0: only looks). A change stays signalled until the watch is re-armed.
  virtual WatchState waitFolderWatch(std::uintptr_t watch, uint32_t ms) = 0;
  virtual bool rearmFolderWatch(std::uintptr_t watch) = 0;  // FindNextChangeNotification
  virtual void closeFolderWatch(std::uintptr_t watch) = 0;
  // Opens the folder itself, a link as the link and not what it names, sharing it for
  // reading and writing but not for deletion, and tells what the handle sees. Null when
  // it cannot be opened. Windows 95, 98 and ME have no links and no folder handles: there
  // nothing is held and only the attributes are told.
  virtual std::unique_ptr<HeldFolder> holdFolder(const std::string& path, FileIdentity* identity) = 0;
  // What `path` leads to now, by its path as Windows would follow it (a link at the end is
  // opened as itself), asking for its attributes only and sharing everything: neither a
  // program that holds the file nor the program's own held folders keep it out.
  virtual long identityAt(const std::string& path, FileIdentity* identity) = 0;
  // The file id alone of what `path` leads to, opened as identityAt opens it: one request,
  // where a whole identity also asks for the volume, which costs Windows several. Fails
  // where Windows keeps no file ids.
  virtual long fileIndexAt(const std::string& path, uint64_t* index) = 0;
  // The folder a substituted drive stands for ("C:\\WINDOWS" for "subst X: C:\\WINDOWS"),
  // as QueryDosDeviceA tells it; empty for any other drive.
  virtual std::string substitutedDrive(char letter) = 0;
  // SHFileOperationA copying one file over another, with no confirmation and no progress
  // window (FOF_NOCONFIRMATION | FOF_SILENT); true when the shell reports success.
  virtual bool shellCopyFile(const std::string& from, const std::string& to) = 0;

  // GetLogicalDrives: bit 0 for A: up to bit 25 for Z:.
  virtual uint32_t logicalDrives() = 0;
  // GetDriveTypeA of a root ("C:\\"): a drivetype value.
  virtual uint32_t driveType(const std::string& root) = 0;
  // GetDiskFreeSpaceExA of a root, or GetDiskFreeSpaceA's clusters where the first Windows
  // 95 lacks it (which counts at most 2 GB).
  virtual long diskSpace(const std::string& root, DiskSpace* out) = 0;

  // One file held for acting on (platform/OpenFile.h).
  // Opens the file itself, a link as the link and not what it names, for reading, writing
  // and deletion, shared with nobody: while it is open no other program can open, rename,
  // replace or delete it. A read-only file is held for reading and setting attributes
  // only: writing needs it opened anew. Null, with the reason in `error`, when it cannot
  // be opened.
  virtual std::unique_ptr<OpenFile> openFile(const std::string& path, long* error) = 0;
  // Creates the file `path`, which must not exist: any entry of that name, a link or a
  // dangling link included, makes it fail with FileExists or AlreadyExists, so nothing
  // already there is written through. Held as openFile holds a file.
  virtual std::unique_ptr<OpenFile> createNewFile(const std::string& path, long* error) = 0;
};

}  // namespace platform
