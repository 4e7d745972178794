#include "erase/FolderWalk.h"

#include <cctype>
#include <cstddef>
#include <memory>
#include <vector>

#include "erase/ActivityLog.h"
#include "erase/EraseFiles.h"
#include "erase/FolderPaths.h"
#include "erase/OverwriteRemoval.h"
#include "erase/PathChecks.h"
#include "erase/Plan.h"
#include "erase/RestartDelete.h"
#include "erase/RunContext.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

namespace {

constexpr long kLockViolation = 33;  // ERROR_LOCK_VIOLATION

// A file that could not go when first offered.
struct LeftFile {
  std::string name;
  long error;
  uint32_t attributes;
  uint64_t size;
};

// One folder on the walk's own stack.
struct Frame {
  HeldFolder* folder = nullptr;
  std::unique_ptr<HeldFolder> owned;  // null for the folder the caller holds
  std::string path;                   // for the log, ending in "\\"
  std::string name;                   // its name in the folder below it on the stack
  std::vector<FindData> entries;
  long listError = winerr::Success;
  size_t next = 0;
  std::vector<LeftFile> leftFiles;
  bool descendedSince = false;  // a sub-folder was walked after the first left file
  // An entry the walk leaves lies in it, so it cannot go: neither promised nor tried.
  bool holdsKept = false;
};

// Records what became of a removal: gone, refused as too deep for Windows, or failed with
// the reason the log gives. What was gone already was nobody's to remove.
void recordRemoval(const erase::RunContext& run, TargetKind kind, const std::string& where, uint64_t bytes,
                   long error) {
  switch (error) {
    case winerr::Success:
      return recordWalked(run.flags, kind, where, bytes, Outcome::Removed);
    case winerr::FileNotFound:
    case winerr::PathNotFound: return;
    case winerr::FilenameTooLong:
      return recordWalked(run.flags, kind, where, bytes, Outcome::Refused, "path too long");
    case winerr::DirNotEmpty:
      return recordWalked(run.flags, kind, where, bytes, Outcome::Failed, "not empty");
    default:
      return recordWalked(run.flags, kind, where, bytes, Outcome::Failed, describeError(error));
  }
}

// A folder is named in the plan without the backslash the walk's paths end in.
std::string folderTarget(const std::string& path) {
  return path.size() > 3 && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

class Walk {
 public:
  Walk(const erase::RunContext& run, const WalkRules& rules)
      : run_(run), rules_(rules), collecting_(collecting(run.flags)) {}

  void run(HeldFolder& top, const std::string& topPath) {
    topLength_ = topPath.size();
    Frame first;
    first.folder = &top;
    first.path = topPath;
    listInto(first);
    stack_.push_back(std::move(first));
    while (!stack_.empty() && !aborted(run_)) {
      Frame& frame = stack_.back();
      if (frame.next == frame.entries.size()) {
        finish();
        continue;
      }
      // Moved out: the listing is not read again, and a copy costs an allocation per entry.
      const FindData entry = std::move(frame.entries[frame.next++]);
      try {
        visit(entry);
      } catch (const std::exception&) {
      }
      yieldOnce(run_);
    }
    // Stopped: what the folders still open on the stack could not remove stays recorded.
    for (const Frame& frame : stack_)
      for (const LeftFile& file : frame.leftFiles) recordLeft(frame, file);
  }

  // Records what became of a removal; one that failed for good is logged and counted by why.
  void settle(const std::string& path, TargetKind kind, long error, uint32_t attributes, uint64_t bytes = 0) {
    recordRemoval(run_, kind, kind == TargetKind::Folder ? folderTarget(path) : path, bytes, error);
    leave(path, error, attributes);
  }

  // Logged and counted by why, not recorded: what became of the entry is recorded elsewhere.
  void leave(const std::string& path, long error, uint32_t attributes) {
    if (!count(error, attributes)) return;
    if (error == winerr::FilenameTooLong)
      logSkipped(path, "path too long");
    else
      LogActivity(path, describeError(error));
  }

  // Left by the walk's rules: a link, or an entry it keeps.
  bool kept(const std::string& path, uint32_t attributes, TargetKind kind) {
    if (attributes & fileattr::ReparsePoint) {
      ++left_.links;
      refuse(path, kind, "link");
      return keepHolders();
    }
    if (attributes & rules_.keep) {
      ++left_.hiddenOrSystem;
      refuse(path, kind, "hidden or system");
      return keepHolders();
    }
    return false;
  }

  // Logged as skipped and recorded as refused, whether the run collects or carries out.
  void refuse(const std::string& path, TargetKind kind, const char* reason) {
    logSkipped(path, reason);
    record(run_.flags, kind, kind == TargetKind::Folder ? folderTarget(path) : path, 0, Outcome::Refused, reason);
  }

  const LeftBehind& left() const { return left_; }

 private:
  // False for what is not left behind: gone already, or a folder whose contents were counted.
  bool count(long error, uint32_t attributes) {
    switch (error) {
      case winerr::Success:
      case winerr::FileNotFound:
      case winerr::PathNotFound:
      case winerr::DirNotEmpty: return false;
      case winerr::SharingViolation:
      case kLockViolation: ++left_.inUse; return true;
      case winerr::FilenameTooLong: ++left_.tooDeep; return true;
      default:
        if (error == winerr::AccessDenied && (attributes & fileattr::ReadOnly) && !rules_.clearAttributes)
          ++left_.readOnly;
        else
          ++left_.denied;
        return true;
    }
  }

  // The folders on the stack hold an entry that stays.
  bool keepHolders() {
    for (Frame& holding : stack_) holding.holdsKept = true;
    return true;
  }

  // A folder that cannot be listed is recorded here unless its removal, tried later, will be.
  void listInto(Frame& frame) {
    frame.listError = frame.folder->list(&frame.entries);
    if (frame.listError == winerr::Success) return;
    if (collecting_ || !removesOnFinish(frame))
      settle(frame.path, TargetKind::Folder, frame.listError, 0);
    else
      leave(frame.path, frame.listError, 0);
  }

  bool removesOnFinish(const Frame& frame) const { return frame.owned && rules_.removeSubFolders; }

  void visit(const FindData& entry) {
    Frame& frame = stack_.back();
    const std::string path = frame.path + entry.name;
    if (rules_.keepEntry && rules_.keepEntry(path.substr(topLength_))) {
      keepHolders();
      return;
    }
    if (kept(path, entry.attributes, isFolder(entry) ? TargetKind::Folder : TargetKind::File)) return;
    if (!(entry.attributes & fileattr::Directory)) {
      // Collecting judges the file by its listing: opening it to look could be noticed.
      if (collecting_) return record(run_.flags, TargetKind::File, path, entry.size, Outcome::Planned);
      LeftFile failed{entry.name, winerr::Success, entry.attributes, entry.size};
      if (!offer(frame, entry, path, &failed)) frame.leftFiles.push_back(failed);
      return;
    }
    if (!rules_.descend) return;
    FileIdentity identity;
    long error = winerr::Success;
    std::unique_ptr<HeldFolder> child = frame.folder->holdChild(entry.name, &identity, &error);
    if (!child) return settle(path, TargetKind::Folder, error, entry.attributes);
    // What the listing called a folder may be a link by now: only its own handle counts.
    if (kept(path, identity.attributes, TargetKind::Folder)) return;
    if (!(identity.attributes & fileattr::Directory)) return refuse(path, TargetKind::Folder, "not a folder");
    frame.descendedSince = !frame.leftFiles.empty();
    Frame sub;
    sub.folder = child.get();
    sub.owned = std::move(child);
    sub.path = path + "\\";
    sub.name = entry.name;
    listInto(sub);
    stack_.push_back(std::move(sub));
  }

  // Offers the file once: true when it went, is gone, or the checks on its own handle kept
  // it (counted then); otherwise the failure is logged and left in `failed` for later.
  bool offer(Frame& frame, const FindData& entry, const std::string& path, LeftFile* failed) {
    long rc;
    uint32_t seen = entry.attributes;
    if (rules_.onFile) {
      rc = rules_.onFile(*frame.folder, entry, path);
    } else {
      bool refused = false;
      std::string note;  // what became of its bytes, when the run overwrites them
      rc = RemoveListedOverwriting(run_, *frame.folder, entry, rules_.clearAttributes, [&](uint32_t attributes) {
        seen = attributes;
        refused = (attributes & (fileattr::ReparsePoint | rules_.keep)) != 0;
        return refused ? winerr::AccessDenied : winerr::Success;
      }, &note);
      if (refused) return kept(path, seen, TargetKind::File);
      if (rc == winerr::Success) {
        LogActivity(path + " Erased", ActivityTimeStamp());
        recordWalked(run_.flags, TargetKind::File, path, entry.size, Outcome::Removed, note);
        return true;
      }
    }
    // Gone, or never to go by this walk: settled now. Anything else may be let go of later.
    if (rc == winerr::Success || rc == winerr::FileNotFound || rc == winerr::PathNotFound ||
        rc == winerr::FilenameTooLong) {
      settle(path, TargetKind::File, rc, seen, entry.size);
      return true;
    }
    LogActivity(path, describeError(rc));
    *failed = LeftFile{entry.name, rc, seen, entry.size};
    return false;
  }

  void recordLeft(const Frame& frame, const LeftFile& file) {
    recordWalked(run_.flags, TargetKind::File, frame.path + file.name, file.size, Outcome::Failed,
                 describeError(file.error));
  }

  // The folder on top is done. A file that could not go is offered once more if sub-folders
  // were walked since (a program may have let go of it meanwhile); then the folder goes,
  // through its own handle, as an entry of the folder below it on the stack. Each file left
  // is recorded once, with what it finally came to.
  void finish() {
    Frame& frame = stack_.back();
    for (size_t i = 0; i < frame.leftFiles.size(); ++i) {
      LeftFile last = frame.leftFiles[i];
      if (frame.descendedSince) {
        if (aborted(run_)) {
          // The files not offered again are recorded as the walk ends.
          frame.leftFiles.erase(frame.leftFiles.begin(), frame.leftFiles.begin() + static_cast<std::ptrdiff_t>(i));
          return;
        }
        FindData entry;
        entry.name = last.name;
        entry.attributes = last.attributes;
        entry.size = last.size;
        if (offer(frame, entry, frame.path + last.name, &last)) continue;
        yieldOnce(run_);
      }
      // A file to shred must be overwritten, which a deletion at the next start would not do.
      // Only the walked folder's own files are marked: Windows deletes by path when it next
      // starts, and a sub-folder belongs to whoever made it, who could by then have swapped
      // it for a junction leading to a system file of the same name.
      if (!rules_.onFile && stack_.size() == 1 &&
          MarkInUseForRestart(run_, *frame.folder, frame.path, last.name, last.error)) {
        ++left_.atRestart;
      } else {
        count(last.error, last.attributes);
        recordLeft(frame, last);
      }
    }
    Frame done = std::move(stack_.back());
    stack_.pop_back();
    if (!removesOnFinish(done) || done.holdsKept || stack_.empty() || aborted(run_)) return;
    if (collecting_) {
      if (done.listError == winerr::Success)
        record(run_.flags, TargetKind::Folder, folderTarget(done.path), 0, Outcome::Planned);
      return;
    }
    const long rc = stack_.back().folder->removeChildFolder(done.name, std::move(done.owned), rules_.clearAttributes);
    if (rc == winerr::Success) {
      LogActivity(done.path + " Erased", ActivityTimeStamp());
      record(run_.flags, TargetKind::Folder, folderTarget(done.path), 0, Outcome::Removed);
    } else {
      settle(done.path, TargetKind::Folder, rc, 0);
    }
  }

  const erase::RunContext run_;
  const WalkRules rules_;
  const bool collecting_;  // only lists what the run would remove
  std::vector<Frame> stack_;
  size_t topLength_ = 0;  // the walked folder's path, before the names below it
  LeftBehind left_;
};

void report(const erase::RunContext& run, const std::string& path, const LeftBehind& left) {
  if (left.total() == 0) return;
  run.flags.leftBehind.add(left);
  LogActivity(path + " **** left " + left.describe(), ActivityTimeStamp());
}


bool plainFolder(const FileIdentity& identity) {
  return !(identity.attributes & fileattr::ReparsePoint) && (identity.attributes & fileattr::Directory);
}

}  // namespace

WalkRules TreeDeleteRules() {
  WalkRules rules;
  rules.keep = 0;
  rules.clearAttributes = true;
  return rules;
}

LeftBehind WalkHeldFolder(const erase::RunContext& run, HeldFolder& top, const std::string& topPath,
                          const WalkRules& rules) {
  Walk walk(run, rules);
  walk.run(top, topPath);
  report(run, topPath, walk.left());
  return walk.left();
}

bool RemoveHeldTree(const erase::RunContext& run, HeldFolder& parent, const std::string& parentPath,
                    const std::string& name, const WalkRules& rules) {
  Walk walk(run, rules);
  const std::string path = parentPath + name;
  bool gone = false;
  try {
    FileIdentity identity;
    long error = winerr::Success;
    std::unique_ptr<HeldFolder> held = parent.holdChild(name, &identity, &error);
    if (!held) {
      walk.settle(path, TargetKind::Folder, error, 0);
    } else if (!walk.kept(path, identity.attributes & fileattr::ReparsePoint, TargetKind::Folder) &&
               plainFolder(identity)) {
      walk.run(*held, path + "\\");
      if (collecting(run.flags)) {
        if (!aborted(run)) record(run.flags, TargetKind::Folder, path, 0, Outcome::Planned);
      } else if (!aborted(run)) {
        const long rc = parent.removeChildFolder(name, std::move(held), rules.clearAttributes);
        gone = rc == winerr::Success;
        if (gone) LogActivity(path + "\\ Erased", ActivityTimeStamp());
        walk.settle(path + "\\", TargetKind::Folder, rc, identity.attributes);
      }
    }
  } catch (const std::exception&) {
  }
  report(run, path + "\\", walk.left());
  return gone;
}

std::unique_ptr<HeldFolder> HoldPlainChild(const erase::RunContext& run, HeldFolder& parent,
                                           const std::string& parentPath, const std::string& name, FileIdentity* seen) {
  // The parent's listing tells too, where handles follow links (Wine's do).
  FileIdentity unused;
  FileIdentity& identity = seen ? *seen : unused;
  identity = FileIdentity();
  std::vector<FindData> entries;
  parent.list(&entries);
  for (const FindData& entry : entries)
    if (sameName(entry.name, name)) identity.attributes |= entry.attributes & fileattr::ReparsePoint;
  long error = winerr::Success;
  std::unique_ptr<HeldFolder> held;
  if (!identity.attributes) held = parent.holdChild(name, &identity, &error);
  if (held && plainFolder(identity)) return held;
  if (!held && !identity.attributes) return nullptr;
  Walk walk(run, WalkRules());
  if (!walk.kept(parentPath + name, identity.attributes & fileattr::ReparsePoint, TargetKind::Folder))
    walk.refuse(parentPath + name, TargetKind::Folder, "not a folder");
  report(run, parentPath + name, walk.left());
  return nullptr;
}

bool WalkFolderAt(const erase::RunContext& run, const std::string& path, bool removeThis, const WalkRules& rules,
                  const HeldCheck& mayWalk) {
  const std::string folder = FolderToOpen(path);
  const size_t slash = folder.find_last_of('\\');
  FileIdentity identity;
  if (removeThis && slash != std::string::npos && slash + 1 < folder.size()) {
    // Held as an entry of its held parent, so that it can go through its own handle.
    FileIdentity parentIdentity;
    const std::string parentPath = folder.substr(0, slash + 1);
    const std::unique_ptr<HeldFolder> parent = holdPlainFolder(run, parentPath, &parentIdentity);
    if (!parent) return WalkFolderAt(run, path, false, rules, mayWalk);
    const std::string name = folder.substr(slash + 1);
    std::unique_ptr<HeldFolder> held = HoldPlainChild(run, *parent, parentPath, name, &identity);
    if (!held) return false;
    if (mayWalk && !mayWalk(identity)) return false;
    WalkHeldFolder(run, *held, folder + "\\", rules);
    if (aborted(run)) return true;
    if (collecting(run.flags)) {
      record(run.flags, TargetKind::Folder, folder, 0, Outcome::Planned);
      return true;
    }
    const long rc = parent->removeChildFolder(name, std::move(held), rules.clearAttributes);
    if (rc == winerr::Success) LogActivity(folder + "\\ Erased", ActivityTimeStamp());
    recordRemoval(run, TargetKind::Folder, folder, 0, rc);
    return true;
  }
  const std::unique_ptr<HeldFolder> held = holdPlainFolder(run, folder, &identity);
  if (!held) return false;
  if (mayWalk && !mayWalk(identity)) return false;
  WalkHeldFolder(run, *held, AddBackslash(folder), rules);
  return true;
}

}  // namespace erase
