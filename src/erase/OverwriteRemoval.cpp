#include "erase/OverwriteRemoval.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "erase/RunFlags.h"
#include "erase/WalkRules.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

const char kOverwriteLevelsText[] =
    "Passes by the Shredder's security level: Very Low 1 (enough for a modern disk), Low 2, Medium 3, High 5, "
    "Extreme 7";

namespace {

constexpr int kPassesByLevel[] = {1, 2, 3, 5, 7};
// One byte per pass, repeated over the file: ones and zeros in turn, then mixed bits.
constexpr unsigned char kPassBytes[] = {0x00, 0xFF, 0x55, 0xAA, 0x92, 0x49, 0x24};
constexpr size_t kChunkBytes = 64 * 1024;  // what one write hands to Windows
constexpr uint32_t kClearable = fileattr::ReadOnly | fileattr::Hidden | fileattr::System;

// Why a file the handle shows must not be overwritten; null when it may be.
const char* overwriteRefusal(const FileIdentity& identity) {
  const uint32_t a = identity.attributes;
  if (identity.links > 1) return "another name shares its data";
  if (a & fileattr::Compressed) return "compressed, so new bytes would not reach the old ones";
  if (a & fileattr::Encrypted) return "encrypted, so new bytes would not reach the old ones";
  if (a & fileattr::Sparse) return "sparse, so new bytes would not reach the old ones";
  return nullptr;
}

// Writes `passes` passes over [0, size) of one stream, each flushed before the next. Null
// when all went through; otherwise why not.
const char* overwriteStream(const RunContext& run, OpenFile& file, int passes) {
  uint64_t size = 0;
  if (file.size(&size) != winerr::Success) return "its size cannot be read";
  for (int pass = 0; pass < passes; ++pass) {
    const std::string chunk(static_cast<size_t>(std::min<uint64_t>(kChunkBytes, size)),
                            static_cast<char>(kPassBytes[pass % sizeof kPassBytes]));
    for (uint64_t at = 0; at < size; at += kChunkBytes) {
      const size_t n = static_cast<size_t>(std::min<uint64_t>(kChunkBytes, size - at));
      if (file.writeAt(at, n == chunk.size() ? chunk : chunk.substr(0, n)) != winerr::Success)
        return "writing failed";
      yieldOnce(run);
      if (aborted(run)) return "stopped";
    }
    if (file.flush() != winerr::Success) return "writing failed";
  }
  return nullptr;
}

// Overwrites the file's data and its named streams. Null when every byte was overwritten.
const char* overwriteAll(const RunContext& run, OpenFile& file, int passes) {
  std::vector<StreamInfo> streams;
  if (file.namedStreams(&streams) != winerr::Success) return "its named streams cannot be listed";
  if (const char* failure = overwriteStream(run, file, passes)) return failure;
  for (const StreamInfo& info : streams) {
    long error = winerr::Success;
    const std::unique_ptr<OpenFile> stream = file.openStream(info.name, &error);
    if (!stream) return "a named stream cannot be opened";
    if (const char* failure = overwriteStream(run, *stream, passes)) return failure;
  }
  return nullptr;
}

// The removal as it goes without overwriting, reported with why the bytes were left.
long removeNotOverwritten(const RunContext& run, HeldFolder& folder, const std::string& name, bool clearAttributes,
                          const EntryCheck& check, const std::string& why, std::string* note) {
  const long rc = folder.removeChildFile(name, clearAttributes, check);
  if (rc == winerr::Success) {
    *note = "not overwritten: " + why;
    ++run.flags.leftBehind.notOverwritten;
  }
  return rc;
}

bool missing(long error) {
  return error == winerr::FileNotFound || error == winerr::PathNotFound || error == winerr::FilenameTooLong ||
         error == winerr::InvalidParameter;
}

}  // namespace

int overwritePassesForLevel(int levelIndex) {
  const int last = static_cast<int>(sizeof kPassesByLevel / sizeof kPassesByLevel[0]) - 1;
  return kPassesByLevel[std::clamp(levelIndex, 0, last)];
}

long RemoveChildOverwriting(const RunContext& run, HeldFolder& folder, const std::string& name, bool clearAttributes,
                            const EntryCheck& check, std::string* note) {
  note->clear();
  const int passes = run.flags.overwritePasses;
  if (passes <= 0) return folder.removeChildFile(name, clearAttributes, check);
  long error = winerr::Success;
  std::unique_ptr<OpenFile> file = folder.openChildFile(name, &error);
  if (!file) {
    if (missing(error)) return error;
    // In use by another program, or read-only: removed as before, when it can be.
    const char* why = error == winerr::SharingViolation ? "in use" : "it cannot be opened for writing";
    return removeNotOverwritten(run, folder, name, clearAttributes, check, why, note);
  }
  const FileIdentity identity = file->identity();
  if (identity.attributes == fileattr::Invalid) return winerr::AccessDenied;
  if (identity.attributes & fileattr::Directory) return winerr::AccessDenied;
  if (const long refusal = check ? check(identity.attributes) : winerr::Success) return refusal;
  // A read-only file the rules leave could be overwritten here but not deleted.
  const bool readOnlyKept = (identity.attributes & fileattr::ReadOnly) && !clearAttributes;
  const char* refusal = readOnlyKept ? "read-only" : overwriteRefusal(identity);
  if (refusal) {
    file.reset();  // shared with nobody: let go before the plain removal opens it
    return removeNotOverwritten(run, folder, name, clearAttributes, check, refusal, note);
  }
  const char* failure = overwriteAll(run, *file, passes);
  if (clearAttributes && (identity.attributes & kClearable)) {
    const uint32_t kept = identity.attributes & fileattr::Archive;
    if (const long rc = file->setAttributes(kept ? kept : fileattr::Normal)) return rc;
  }
  if (const long rc = file->remove()) return rc;
  if (failure) {
    *note = std::string("not overwritten: ") + failure;
    ++run.flags.leftBehind.notOverwritten;
  } else {
    *note = "overwritten, " + std::to_string(passes) + (passes == 1 ? " pass" : " passes");
  }
  return winerr::Success;
}

long RemoveListedOverwriting(const RunContext& run, HeldFolder& folder, const FindData& listed, bool clearAttributes,
                             const EntryCheck& check, std::string* note) {
  note->clear();
  if (run.flags.overwritePasses <= 0) return folder.removeListedFile(listed, clearAttributes);
  return RemoveChildOverwriting(run, folder, listed.name, clearAttributes, check, note);
}

}  // namespace erase
