#include "erase/FolderWalk.h"

#include <cctype>
#include <memory>
#include <vector>

#include "app/App.h"
#include "erase/ActivityLog.h"
#include "erase/EraseFiles.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/RestartDelete.h"
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
};

// One folder on the walk's own stack.
struct Frame {
  HeldFolder* folder = nullptr;
  std::unique_ptr<HeldFolder> owned;  // null for the folder the caller holds
  std::string path;                   // for the log, ending in "\\"
  std::string name;                   // its name in the folder below it on the stack
  std::vector<FindData> entries;
  size_t next = 0;
  std::vector<LeftFile> leftFiles;
  bool descendedSince = false;  // a sub-folder was walked after the first left file
};

class Walk {
 public:
  Walk(app::App& app, const WalkRules& rules) : app_(app), rules_(rules) {}

  void run(HeldFolder& top, const std::string& topPath) {
    Frame first;
    first.folder = &top;
    first.path = topPath;
    listInto(first);
    stack_.push_back(std::move(first));
    while (!stack_.empty() && !aborted(app_)) {
      Frame& frame = stack_.back();
      if (frame.next == frame.entries.size()) {
        finish();
        continue;
      }
      const FindData entry = frame.entries[frame.next++];
      try {
        visit(entry);
      } catch (const std::exception&) {
      }
      yieldOnce(app_);
    }
  }

  // A removal that failed for good: logged and counted by why.
  void fail(const std::string& path, long error, uint32_t attributes) {
    if (!count(error, attributes)) return;
    if (error == winerr::FilenameTooLong)
      logSkipped(path, "path too long");
    else
      LogActivity(path, describeError(error));
  }

  // Left by the walk's rules: a link, or an entry it keeps.
  bool kept(const std::string& path, uint32_t attributes) {
    if (attributes & fileattr::ReparsePoint) {
      ++left_.links;
      logSkipped(path, "link");
      return true;
    }
    if (attributes & rules_.keep) {
      ++left_.hiddenOrSystem;
      logSkipped(path, "hidden or system");
      return true;
    }
    return false;
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

  void listInto(Frame& frame) {
    const long rc = frame.folder->list(&frame.entries);
    if (rc != winerr::Success) fail(frame.path, rc, 0);
  }

  void visit(const FindData& entry) {
    Frame& frame = stack_.back();
    const std::string path = frame.path + entry.name;
    if (kept(path, entry.attributes)) return;
    if (!(entry.attributes & fileattr::Directory)) {
      LeftFile failed{entry.name, winerr::Success, entry.attributes};
      if (!offer(frame, entry, path, &failed)) frame.leftFiles.push_back(failed);
      return;
    }
    if (!rules_.descend) return;
    FileIdentity identity;
    long error = winerr::Success;
    std::unique_ptr<HeldFolder> child = frame.folder->holdChild(entry.name, &identity, &error);
    if (!child) return fail(path, error, entry.attributes);
    // What the listing called a folder may be a link by now: only its own handle counts.
    if (kept(path, identity.attributes)) return;
    if (!(identity.attributes & fileattr::Directory)) return logSkipped(path, "not a folder");
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
      rc = frame.folder->removeChildFile(entry.name, rules_.clearAttributes, [&](const FileIdentity& file) {
        seen = file.attributes;
        refused = (file.attributes & (fileattr::ReparsePoint | rules_.keep)) != 0;
        return refused ? winerr::AccessDenied : winerr::Success;
      });
      if (refused) return kept(path, seen);
      if (rc == winerr::Success) LogActivity(path + " Erased", ActivityTimeStamp());
    }
    if (rc == winerr::Success || rc == winerr::FileNotFound || rc == winerr::PathNotFound) return true;
    if (rc == winerr::FilenameTooLong) {
      fail(path, rc, seen);
      return true;
    }
    LogActivity(path, describeError(rc));
    *failed = LeftFile{entry.name, rc, seen};
    return false;
  }

  // The folder on top is done. A file that could not go is offered once more if sub-folders
  // were walked since (a program may have let go of it meanwhile); then the folder goes,
  // through its own handle, as an entry of the folder below it on the stack.
  void finish() {
    Frame& frame = stack_.back();
    for (const LeftFile& file : frame.leftFiles) {
      LeftFile last = file;
      if (frame.descendedSince) {
        if (aborted(app_)) return;
        FindData entry;
        entry.name = file.name;
        entry.attributes = file.attributes;
        if (offer(frame, entry, frame.path + file.name, &last)) continue;
        yieldOnce(app_);
      }
      // A file to shred must be overwritten, which a deletion at the next start would not do.
      if (!rules_.onFile &&
          MarkInUseForRestart(app_.os.files, app_.flags, *frame.folder, frame.path, last.name, last.error))
        ++left_.atRestart;
      else
        count(last.error, last.attributes);
    }
    Frame done = std::move(stack_.back());
    stack_.pop_back();
    if (!done.owned || stack_.empty() || !rules_.removeSubFolders || aborted(app_)) return;
    const long rc = stack_.back().folder->removeChildFolder(done.name, std::move(done.owned), rules_.clearAttributes);
    if (rc == winerr::Success)
      LogActivity(done.path + " Erased", ActivityTimeStamp());
    else
      fail(done.path, rc, 0);
  }

  app::App& app_;
  const WalkRules rules_;
  std::vector<Frame> stack_;
  LeftBehind left_;
};

void report(app::App& app, const std::string& path, const LeftBehind& left) {
  if (left.total() == 0) return;
  app.flags.leftBehind.add(left);
  LogActivity(path + " **** left " + left.describe(), ActivityTimeStamp());
}

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
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

LeftBehind WalkHeldFolder(app::App& app, HeldFolder& top, const std::string& topPath, const WalkRules& rules) {
  Walk walk(app, rules);
  walk.run(top, topPath);
  report(app, topPath, walk.left());
  return walk.left();
}

bool RemoveHeldTree(app::App& app, HeldFolder& parent, const std::string& parentPath, const std::string& name,
                    const WalkRules& rules) {
  Walk walk(app, rules);
  const std::string path = parentPath + name;
  bool gone = false;
  try {
    FileIdentity identity;
    long error = winerr::Success;
    std::unique_ptr<HeldFolder> held = parent.holdChild(name, &identity, &error);
    if (!held) {
      walk.fail(path, error, 0);
    } else if (!walk.kept(path, identity.attributes & fileattr::ReparsePoint) && plainFolder(identity)) {
      walk.run(*held, path + "\\");
      if (!aborted(app)) {
        const long rc = parent.removeChildFolder(name, std::move(held), rules.clearAttributes);
        gone = rc == winerr::Success;
        if (gone)
          LogActivity(path + "\\ Erased", ActivityTimeStamp());
        else
          walk.fail(path + "\\", rc, identity.attributes);
      }
    }
  } catch (const std::exception&) {
  }
  report(app, path + "\\", walk.left());
  return gone;
}

std::unique_ptr<HeldFolder> HoldPlainChild(app::App& app, HeldFolder& parent, const std::string& parentPath,
                                           const std::string& name, FileIdentity* seen) {
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
  Walk walk(app, WalkRules());
  if (!walk.kept(parentPath + name, identity.attributes & fileattr::ReparsePoint))
    logSkipped(parentPath + name, "not a folder");
  report(app, parentPath + name, walk.left());
  return nullptr;
}

bool WalkFolderAt(app::App& app, const std::string& path, bool removeThis, const WalkRules& rules,
                  const HeldCheck& mayWalk) {
  const std::string folder = FolderToOpen(path);
  const size_t slash = folder.find_last_of('\\');
  FileIdentity identity;
  if (removeThis && slash != std::string::npos && slash + 1 < folder.size()) {
    // Held as an entry of its held parent, so that it can go through its own handle.
    FileIdentity parentIdentity;
    const std::string parentPath = folder.substr(0, slash + 1);
    const std::unique_ptr<HeldFolder> parent = holdPlainFolder(app, parentPath, &parentIdentity);
    if (!parent) return WalkFolderAt(app, path, false, rules, mayWalk);
    const std::string name = folder.substr(slash + 1);
    std::unique_ptr<HeldFolder> held = HoldPlainChild(app, *parent, parentPath, name, &identity);
    if (!held) return false;
    if (mayWalk && !mayWalk(identity)) return false;
    WalkHeldFolder(app, *held, folder + "\\", rules);
    if (aborted(app)) return true;
    if (parent->removeChildFolder(name, std::move(held), rules.clearAttributes) == winerr::Success)
      LogActivity(folder + "\\ Erased", ActivityTimeStamp());
    return true;
  }
  const std::unique_ptr<HeldFolder> held = holdPlainFolder(app, folder, &identity);
  if (!held) return false;
  if (mayWalk && !mayWalk(identity)) return false;
  WalkHeldFolder(app, *held, AddBackslash(folder), rules);
  return true;
}

}  // namespace erase
