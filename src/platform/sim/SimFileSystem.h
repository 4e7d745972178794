#pragma once
// A real file tree in a host folder, seen as Windows sees a disk: "C:\\dir\\f.txt" is
// <host>/C/dir/f.txt. Names are found without regard to case, Windows attributes live in
// an overlay, host symbolic links show as reparse points, long names get 8.3 names, and
// paths of MAX_PATH characters or more are refused. Paths are read as Win32 reads them
// (SimPathRules.cpp): trailing dots and blanks, device names, "\\?\" and "\\.\".
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/FileSystem.h"

namespace platform::sim {

class SimFileSystem : public FileSystem {
 public:
  explicit SimFileSystem(std::string hostRoot);

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
  // MoveFileExA with MOVEFILE_REPLACE_EXISTING, for the simulated program files.
  long replaceFile(const std::string& from, const std::string& to);
  // MoveFileA by name, for the simulated program files: fails when the new name is taken.
  long moveFile(const std::string& from, const std::string& to);
  long getShortPathName(const std::string& path, std::string* shortPath) override;
  // The NT family's marks go to `restartMarks`, in order, or fail with `restartMarkError`
  // when it is set (a user who is no administrator). 95, 98 and ME (fileIdsKnown false)
  // write WININIT.INI in the Windows folder instead (SimRestartMarks.cpp).
  long deleteAtRestart(const std::string& path) override;
  std::vector<std::string> restartMarks;
  long restartMarkError = 0;
  std::function<std::string()> windowsFolder;  // the shell's, set by SimMachine
  // A watch is signalled once the folder's names, sizes, stamps or attributes differ from
  // what they were when it was started or last re-armed.
  std::uintptr_t startFolderWatch(const std::string& folder, uint32_t filter) override;
  WatchState waitFolderWatch(std::uintptr_t watch, uint32_t ms) override;
  bool rearmFolderWatch(std::uintptr_t watch) override;
  void closeFolderWatch(std::uintptr_t watch) override;
  size_t openWatches() const { return watches_.size(); }
  std::unique_ptr<HeldFolder> holdFolder(const std::string& path, FileIdentity* identity) override;
  std::string substitutedDrive(char letter) override;
  bool shellCopyFile(const std::string& from, const std::string& to) override;
  uint32_t logicalDrives() override;
  // Fixed for a drive that is there, Removable for one without a disk, NoRootDir for
  // none, unless setDriveType says otherwise (SimDrives.cpp).
  uint32_t driveType(const std::string& root) override;
  // A drive given a size counts every file stored on it against that size; any other
  // drive tells the host's figures. NotReady for a drive without a disk.
  long diskSpace(const std::string& root, DiskSpace* out) override;
  // One file held for acting on (SimOpenFile.cpp).
  std::unique_ptr<OpenFile> openFile(const std::string& path, long* error) override;
  long identityAt(const std::string& path, FileIdentity* identity) override;
  long fileIndexAt(const std::string& path, uint64_t* index) override;
  std::unique_ptr<OpenFile> createNewFile(const std::string& path, long* error) override;

  // For tests: the host path behind a Windows path (the path it would have when missing).
  std::string hostPath(const std::string& path);
  // An open file of another program: deleting fails with a sharing violation, reading fails.
  void lock(const std::string& path);
  void unlock(const std::string& path);
  // A host symbolic link at `linkPath` pointing at a host path; Windows sees a reparse point.
  long makeLink(const std::string& linkPath, const std::string& hostTarget);
  // What another program that can write there may do while a walk yields: moves the
  // folder away and puts a link to `hostTarget` in its place. Refused with a sharing
  // violation, as Windows refuses it, while the folder or anything below it is held.
  long swapForLink(const std::string& path, const std::string& hostTarget);
  // "subst X: C:\\WINDOWS": drive X: shows the folder's tree and is reported as substituted.
  // Called again it redefines the drive, as subst /d and subst do, whatever is held.
  void substitute(char letter, const std::string& folder);
  // Points an existing link (junction) at another host path, as another program may while
  // a walk yields; what is held below its old target stays held.
  long repointLink(const std::string& path, const std::string& hostTarget);
  // False plays Windows 95, 98 and ME, which tell no file ids: a held folder's identity
  // is its attributes only.
  bool fileIdsKnown = true;
  // Paths, upper-cased and spelt as the program gives them, that open for no identity, as
  // a folder the user may not open: what the program learns of them is their names alone.
  std::set<std::string> identityRefused;
  // A disk that fills up: each later write stores at most this many bytes, then fails
  // with ERROR_DISK_FULL.
  void limitWrites(size_t bytes) { writeLimit_ = bytes; }
  // A drive of `total` bytes, `usedElsewhere` of them taken by what the test does not
  // write (Windows, other programs): free space is what neither these nor the files on the
  // drive take, and a write past it stores what fits and fails with ERROR_DISK_FULL.
  void setDriveSize(char letter, uint64_t total, uint64_t usedElsewhere);
  // Another program takes (or gives back) room on the drive meanwhile.
  void useSpace(char letter, int64_t bytes);
  void setDriveType(char letter, uint32_t type);
  // Creates the folder and every missing parent.
  void makeFolders(const std::string& path);

  const std::string& hostRoot() const { return root_; }
  // For tests that compare the whole machine (SimSnapshot.cpp): every entry below the host
  // folder `hostDir`, named from `shown` on.
  void capture(std::map<std::string, std::string>* state, const std::string& hostDir, const std::string& shown) const;

  // For tests of writes through open files: how often data was flushed to the disk, and
  // a look at a file just before its length is set or it is removed through its handle.
  int flushes = 0;
  std::function<void(const std::string& path)> beforeSetLength, beforeRemove;
  // Drives that are there without a disk in them: listed, but nothing on them can be read.
  uint32_t notReadyDrives = 0;

  // For tests of files acted on through one handle (SimOpenFile.cpp).
  // What an attacker may do while the program yields: puts a hard link to `otherPath` where
  // `path` was (the old file moved to `path` + ".moved"). Refused with a sharing violation,
  // as Windows refuses it, while the file is open.
  long swapForHardLink(const std::string& path, const std::string& otherPath);
  // A second name `path` for the existing file `otherPath`, as CreateHardLinkA makes it.
  long makeHardLink(const std::string& path, const std::string& otherPath);
  // NTFS's compressed, sparse and encrypted bits, kept for the file whatever its name.
  void setStorageAttributes(const std::string& path, uint32_t bits);
  // Named streams, kept for the file whatever its name; none on drives A: and B:.
  long writeStream(const std::string& path, const std::string& stream, const std::string& data);
  long readStream(const std::string& path, const std::string& stream, std::string* data);
  // What went through open files, in order: "write <offset> <bytes>", "flush", "length <n>".
  std::vector<std::string> handleJournal;
  // For tests of overwriting before removal: while set, the bytes a file held when its
  // last name went through a held folder or an open file, by host path. A disk frees
  // those clusters without clearing them, so this is what could still be read from it.
  bool keepRemovedBytes = false;
  std::map<std::string, std::string> removedBytes;

 private:
  struct Resolved {
    long error = 0;      // 0, FileNotFound, PathNotFound, FilenameTooLong
    std::string host;    // the host path (of the would-be entry when missing)
    unsigned mode = 0;   // lstat mode when it exists
    std::string device;  // "NUL": the path names a device (error InvalidParameter)
  };
  Resolved resolve(const std::string& path);
  uint32_t attributesOf(const std::string& host, bool* exists);
  std::vector<std::string> shortNames(const std::string& hostDir, const std::vector<std::string>& names);

  std::string root_;
  std::unordered_map<std::string, uint32_t> attributes_;  // host path -> RO/H/S/A bits
  std::set<std::string> locked_;                           // host paths
  std::string folderState(const std::string& host);
  struct Watch {
    std::string host, state;
  };
  std::map<std::uintptr_t, Watch> watches_;
  std::uintptr_t nextWatch_ = 1;
  // Where an entry really is: its folder's links resolved, the entry itself not followed.
  std::string physical(const std::string& host) const;
  std::string logical(const std::string& real) const;  // back under root_, for the overlays
  bool entryAt(int dirFd, const std::string& hostDir, const std::string& name, FindData* data);
  std::string realRoot_;
  std::multiset<std::string> held_;                        // physical paths of held folders
  std::unordered_map<char, std::string> substitutes_;      // drive letter -> folder
  size_t writeLimit_ = static_cast<size_t>(-1);
  struct DriveSize {
    uint64_t total = 0, usedElsewhere = 0;
  };
  std::map<char, DriveSize> driveSizes_;
  std::map<char, uint32_t> driveTypes_;
  // The drive a host path is stored on, a substituted drive's folder followed; 0 for none.
  char driveOf(const std::string& host) const;
  uint64_t bytesStoredOn(char letter) const;
  // How many of `bytes` written at `offset` into the file at `host`, now `size` bytes
  // long, fit on its drive.
  size_t bytesThatFit(const std::string& host, uint64_t offset, size_t bytes, uint64_t size) const;
  friend class SimHeldFolder;
  // Keeps the bytes of the file `fd` reads (readable, its last name about to go) in
  // removedBytes under `host`, when the tests ask for it.
  void keepBytesOfRemoved(int fd, const std::string& host);

  // A file whatever its names: the host's device and inode.
  using FileKey = std::pair<uint64_t, uint64_t>;
  static FileKey keyOf(const std::string& host, bool* exists);
  std::map<FileKey, std::map<std::string, std::string>> aliases_;  // folder -> long name -> 8.3 name
  std::multiset<FileKey> openFiles_;           // files open through SimOpenFile
  std::map<FileKey, uint32_t> storage_;        // compressed, sparse and encrypted bits
  std::string streamFolder(FileKey key) const;  // host folder of a file's named streams
  friend class SimOpenFile;
};

}  // namespace platform::sim
