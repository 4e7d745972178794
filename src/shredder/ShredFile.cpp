#include "shredder/ShredFile.h"

// Every check is made on the one handle the file is held by, and every write, the cut,
// the rename and the deletion go through it: a name swapped meanwhile for a hard link to
// another file, or a folder above re-pointed, cannot send them elsewhere, and nobody else
// can open the file while it is held.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/Session.h"
#include "erase/ActivityLog.h"
#include "erase/WalkRules.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"
#include "shredder/ShredGuard.h"
#include "shredder/ShredStream.h"

namespace shredder {

using namespace platform;

namespace {

constexpr size_t kChunkBytes = 1 << 20;  // what one write hands to Windows
constexpr int kMediumIndex = 2;
constexpr int kGrowthRounds = 4;         // bytes appended meanwhile are chased this often
constexpr uint32_t kKeptBits = fileattr::ReadOnly | fileattr::Hidden | fileattr::System;

// The stream repeated from the file's first byte, long enough that the bytes belonging at
// any offset, one chunk of them, start within its first repetition: made once, not per chunk.
struct RepeatedStream {
  explicit RepeatedStream(const std::string& stream) : period(stream.size()) {
    bytes.reserve(kChunkBytes + period);
    while (bytes.size() < kChunkBytes + period) bytes += stream;
  }
  // The `length` bytes (at most a chunk) that belong at `offset`.
  std::string_view at(uint64_t offset, size_t length) const {
    return std::string_view(bytes).substr(static_cast<size_t>(offset % period), length);
  }
  size_t period;
  std::string bytes;
};

// Writes the stream over [from, to) and flushes it to the disk; false when a write fails.
bool overwriteRange(const erase::RunContext& run, OpenFile& file, const RepeatedStream& stream, uint64_t from,
                    uint64_t to) {
  for (uint64_t at = from; at < to; at += kChunkBytes) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kChunkBytes, to - at));
    if (file.writeAt(at, stream.at(at, n)) != winerr::Success) return false;
    erase::yieldOnce(run);
  }
  return from == to || file.flush() == winerr::Success;
}

// Overwrites every byte of one stream of the file. The old bytes first, in place and
// flushed, so they are gone before the file grows (a small file may move out of its
// first place once it grows); then up to `minimum`; then whatever was appended meanwhile.
const char* overwriteAll(app::Session& session, OpenFile& file, const RepeatedStream& stream, uint64_t minimum) {
  uint64_t size = 0;
  if (file.size(&size) != winerr::Success) return "cannot be examined";
  if (!overwriteRange(session.run(), file, stream, 0, size)) return size ? "overwriting failed" : "cannot be written";
  uint64_t done = size;
  uint64_t goal = std::max(size, minimum);
  for (int round = 0; round < kGrowthRounds; ++round) {
    if (!overwriteRange(session.run(), file, stream, done, goal)) return "overwriting failed";
    done = goal;
    if (file.size(&size) != winerr::Success) return "overwriting failed";
    if (size <= done) return nullptr;
    goal = size;
  }
  return "grew while it was overwritten";
}

// What the handle shows that forbids overwriting the file; null when nothing does.
const char* handleRefusal(const FileIdentity& identity) {
  const uint32_t a = identity.attributes;
  if (a == fileattr::Invalid) return "cannot be examined";
  if (a & fileattr::ReparsePoint) return "link";
  if (a & fileattr::Directory) return "folder";
  if (identity.links > 1) return "more than one name";
  if (a & fileattr::Compressed) return "compressed: overwriting would not reach the old data";
  if (a & fileattr::Encrypted) return "encrypted: overwriting would not reach the old data";
  if (a & fileattr::Sparse) return "sparse: overwriting would not reach the old data";
  return nullptr;
}

// The file under a name of the same length made of one character, so neither its name
// nor its length survives in the folder; it keeps its name when no such name is free.
void anonymise(OpenFile& file, const std::string& path) {
  const size_t length = path.size() - (path.find_last_of("\\/") + 1);
  for (char c : std::string("ZYXWVUTSRQ0123456789"))
    if (file.rename(std::string(length, c)) == winerr::Success) return;
}

// Checks the held file and, when it may be shredded, clears its attributes through it.
// A read-only file is opened anew once that attribute is gone, and must be the same file.
const char* prepare(std::unique_ptr<OpenFile>& file, std::vector<StreamInfo>* streams, const Reopen& reopen) {
  const FileIdentity identity = file->identity();
  if (const char* reason = handleRefusal(identity)) return reason;
  if (file->namedStreams(streams) != winerr::Success) return "its named streams cannot be listed";
  if (!(identity.attributes & kKeptBits)) return nullptr;
  if (file->setAttributes(fileattr::Normal) != winerr::Success) return "its attributes cannot be cleared";
  if (!(identity.attributes & fileattr::ReadOnly)) return nullptr;
  file.reset();  // nobody may share it: it is let go before it is opened again
  file = reopen ? reopen() : nullptr;
  if (!file) return "cannot be written";
  const FileIdentity again = file->identity();
  if (identity.known && !again.sameAs(identity)) return "replaced while it was opened";
  if (const char* reason = handleRefusal(again)) return reason;
  if (file->namedStreams(streams) != winerr::Success) return "its named streams cannot be listed";
  return nullptr;
}

const char* shred(app::Session& session, std::unique_ptr<OpenFile>& file, const std::string& path, int factor,
                  const Reopen& reopen) {
  std::vector<StreamInfo> streams;
  if (const char* reason = prepare(file, &streams, reopen)) return reason;
  const RepeatedStream stream(shredStream(factor));
  if (const char* failure = overwriteAll(session, *file, stream, stream.period)) return failure;
  for (const StreamInfo& info : streams) {
    long error = 0;
    std::unique_ptr<OpenFile> named = file->openStream(info.name, &error);
    if (!named) return "a named stream cannot be opened";
    if (overwriteAll(session, *named, stream, 0) || named->setLength(0) != winerr::Success)
      return "a named stream cannot be overwritten";
  }
  if (file->setLength(0) != winerr::Success) return "cannot be cut";
  anonymise(*file, path);
  if (file->remove() != winerr::Success) return "cannot be deleted";
  return nullptr;
}

}  // namespace

int chosenFactor(app::Session& session) {
  const int index = session.frm.cmbOver.listIndex();
  return repetitionFactor(index >= 0 && index <= 4 ? index : kMediumIndex);
}

const char* ShredOpenFile(app::Session& session, std::unique_ptr<OpenFile> file, const std::string& path, int factor,
                          const Reopen& reopen) {
  const char* failure = "cannot be opened";
  try {
    if (file) failure = shred(session, file, path, factor, reopen);
    file.reset();  // a deleted file is gone once its handle closes
  } catch (const std::exception&) {
    failure = "shredding failed";
  }
  if (failure)
    erase::logSkipped(path, failure);
  else
    erase::LogActivity(path + " Shredded", erase::ActivityTimeStamp());
  return failure;
}

bool ShredFile(app::Session& session, const std::string& path, int factor, std::string* failure,
               const IsMeant& isMeant) {
  const char* reason = nullptr;
  try {
    reason = fileRefusal(session.run(), path);
    if (reason) {
      erase::logSkipped(path, reason);
    } else {
      auto open = [&session, &path, &isMeant] {
        long error = 0;
        std::unique_ptr<OpenFile> file = session.os.files.openFile(path, &error);
        if (file && isMeant && !isMeant(file->identity())) file.reset();
        return file;
      };
      reason = ShredOpenFile(session, open(), path, factor, open);
    }
  } catch (const std::exception&) {
    reason = "shredding failed";
  }
  if (reason && failure) *failure = reason;
  return reason == nullptr;
}

}  // namespace shredder
