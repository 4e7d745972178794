#include "shredder/FreeSpaceWipe.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/Session.h"
#include "erase/WalkRules.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"
#include "shredder/WipeDrives.h"
#include "shredder/WipeFolder.h"
#include "shredder/WipeText.h"

namespace shredder {

using namespace platform;

namespace {

constexpr size_t kBlockBytes = 1u << 20;
// Far below FAT32's 4 GB a file, and few enough files for a large drive.
constexpr uint64_t kFillerBytes = 256ull << 20;
constexpr uint32_t kShowEveryMs = 200;
constexpr long kDiskFull = 112, kHandleDiskFull = 39;  // ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL

// One wipe: what it made on the drive, held until it is removed again.
class Wipe {
 public:
  Wipe(app::Session& session, char letter) : session_(session), files_(session.os.files), letter_(letter) {}
  ~Wipe() { clearUp(); }
  Wipe(const Wipe&) = delete;
  Wipe& operator=(const Wipe&) = delete;

  WipeResult run(const WipeProgress& progress) {
    WipeResult result;
    DiskSpace space;
    if (const char* reason = wipeRefusal(files_, letter_, &space)) {
      result.message = refusedText(letter_, reason);
      return result;
    }
    const uint64_t margin = wipeMargin(space.total);
    result.figures.target = space.freeToCaller;
    std::string reason;
    if (!makeFolder(&reason)) {
      clearUp();
      result.message = refusedText(letter_, reason.c_str());
      return result;
    }
    const uint32_t start = session_.os.loop.tickCount();
    result.figures.done = std::string(kWipeNoteText).size();  // the note overwrote free space too
    result.end = fill(margin, start, progress, &result.figures, &reason);
    result.figures.elapsedMs = session_.os.loop.tickCount() - start;
    if (stopped_) result.end = WipeEnd::Stopped;
    clearUp();
    result.fillersLeft = fillersLeft_;
    result.folderLeft = folderLeft_;
    result.message = endText(letter_, result, reason);
    return result;
  }

  // From inside a yield: every filler goes now.
  void stop() {
    stopped_ = true;
    clearUp();
  }

 private:
  // The folder is made new at the root, then held relative to the held root as the
  // root's listing shows it: a link put in its place between the two is refused.
  bool makeFolder(std::string* reason) {
    const std::string root = driveRoot(letter_);
    FileIdentity identity;
    root_ = files_.holdFolder(root, &identity);
    if (!root_) return (*reason = "its root cannot be opened", false);
    if (files_.createDirectory(root + kWipeFolderName) != winerr::Success) {
      // A wipe cut short by a crash left it; what is not the program's stays.
      removeLeftoverWipeFolder(*root_, root);
      if (files_.createDirectory(root + kWipeFolderName) != winerr::Success)
        return (*reason = std::string("a folder named \"") + kWipeFolderName + "\" is there and holds what is not the "
                          "program's",
                false);
    }
    std::vector<FindData> entries;
    root_->list(&entries);
    const FindData* made = nullptr;
    for (const FindData& entry : entries)
      if (sameName(entry.name, kWipeFolderName)) made = &entry;
    if (!made || (made->attributes & fileattr::ReparsePoint))
      return (*reason = "its folder was replaced by a link", false);
    long error = 0;
    folder_ = root_->holdChild(made->name, &identity, &error);
    if (!folder_ || (identity.attributes & fileattr::ReparsePoint) || !(identity.attributes & fileattr::Directory)) {
      folder_.reset();
      return (*reason = "its folder was replaced by a link", false);
    }
    folderName_ = made->name;
    std::unique_ptr<OpenFile> note = folder_->createChildFile(kWipeNoteName, &error);
    if (!note) return (*reason = "its note cannot be written", false);
    made_.push_back(kWipeNoteName);
    note->writeAt(0, kWipeNoteText);
    note->flush();
    return true;
  }

  WipeEnd fill(uint64_t margin, uint32_t start, const WipeProgress& progress, WipeFigures* figures,
               std::string* reason) {
    const std::string root = driveRoot(letter_);
    const std::string zeros(kBlockBytes, '\0');
    uint64_t inFiller = 0;
    // The margin keeps Windows and other programs going through the long fill. Once the
    // fill has brought the drive down to it, the margin is written too, at once, and freed
    // with the rest: no free byte stays unwiped. A drive brought below the margin by
    // another program meanwhile ends the wipe instead.
    bool reachedMargin = false, lastStretch = false;
    for (;;) {
      if (stopped_) return WipeEnd::Stopped;
      DiskSpace space;
      if (files_.diskSpace(root, &space) != winerr::Success)
        return (*reason = "its free space could not be read", WipeEnd::Failed);
      if (!lastStretch && space.freeToCaller <= margin) {
        if (!reachedMargin) return WipeEnd::DriveFilled;
        lastStretch = true;
      }
      if (lastStretch && space.freeToCaller == 0) return closeFiller(reason) ? WipeEnd::Done : WipeEnd::Failed;
      if (!filler_ || inFiller >= kFillerBytes) {
        if (!closeFiller(reason)) return WipeEnd::Failed;
        long error = 0;
        const std::string name = fillerName(static_cast<int>(made_.size()));
        filler_ = folder_->createChildFile(name, &error);
        if (!filler_) return (*reason = "a filler file could not be created", WipeEnd::Failed);
        made_.push_back(name);
        inFiller = 0;
      }
      const uint64_t room = lastStretch ? space.freeToCaller : space.freeToCaller - margin;
      const size_t bytes = static_cast<size_t>(std::min<uint64_t>({kBlockBytes, room, kFillerBytes - inFiller}));
      reachedMargin = !lastStretch && bytes == room;
      const long rc = filler_->writeAt(inFiller, bytes == kBlockBytes ? zeros : zeros.substr(0, bytes));
      // Full in the last stretch is where it ends; before it, another program filled the drive.
      if (rc == kDiskFull || rc == kHandleDiskFull)
        return lastStretch ? (closeFiller(reason) ? WipeEnd::Done : WipeEnd::Failed) : WipeEnd::DriveFilled;
      if (rc != winerr::Success) return (*reason = "a filler file could not be written", WipeEnd::Failed);
      inFiller += bytes;
      figures->done += bytes;
      figures->elapsedMs = session_.os.loop.tickCount() - start;
      // Drawn a few times a second: a label and a bar redrawn for every block cost the
      // wipe more than its writes.
      if (progress && (shownAt_ == 0 || figures->elapsedMs - shownAt_ >= kShowEveryMs)) {
        progress(*figures);
        shownAt_ = figures->elapsedMs == 0 ? 1 : figures->elapsedMs;
      }
      erase::yieldOnce(session_.run());
    }
  }

  // Flushed, or the zeros may never leave the cache before the file is deleted.
  bool closeFiller(std::string* reason) {
    if (!filler_) return true;
    const long rc = filler_->flush();
    filler_.reset();
    if (rc != winerr::Success) *reason = "a filler file could not be flushed to the disk";
    return rc == winerr::Success;
  }

  void clearUp() {
    if (filler_) {
      filler_->remove();  // through its own handle: gone once it closes
      filler_.reset();
    }
    if (folder_) {
      fillersLeft_ = removeFillers(*folder_, made_);
      made_.clear();
      folderLeft_ = root_->removeChildFolder(folderName_, std::move(folder_), true) != winerr::Success;
    }
    root_.reset();
  }

  app::Session& session_;
  FileSystem& files_;
  const char letter_;
  std::unique_ptr<HeldFolder> root_, folder_;
  std::string folderName_;
  std::unique_ptr<OpenFile> filler_;
  std::vector<std::string> made_;  // the note, then the fillers, as made
  bool stopped_ = false;
  uint32_t shownAt_ = 0;  // when the progress was last shown, 0 before it was
  int fillersLeft_ = 0;
  bool folderLeft_ = false;
};

// Clears the session's hook however the wipe ends.
class WipeHook {
 public:
  WipeHook(app::Session& session, Wipe& wipe) : session_(session) {
    session_.endWipe = [&wipe] { wipe.stop(); };
  }
  ~WipeHook() { session_.endWipe = nullptr; }
  WipeHook(const WipeHook&) = delete;
  WipeHook& operator=(const WipeHook&) = delete;

 private:
  app::Session& session_;
};

}  // namespace

WipeResult WipeFreeSpace(app::Session& session, char letter, const WipeProgress& progress) {
  if (!app::passMayStart(session)) {
    WipeResult refused;
    refused.message = session.endWipe ? "A wipe is under way." : "Not now: a cleaning run or a panic is under way.";
    return refused;
  }
  Wipe wipe(session, letter);
  WipeHook hook(session, wipe);
  try {
    return wipe.run(progress);
  } catch (const std::exception& e) {
    WipeResult failed;
    failed.end = WipeEnd::Failed;
    failed.message = std::string("The wipe failed: ") + e.what();
    return failed;
  }
}

}  // namespace shredder
