#include "erase/LeftBehind.h"

namespace erase {

namespace {

// How a failure outside a walk is told: "1 cookie", "2 cookies". There is one clipboard,
// and one bin is named without its count: "Recycle Bin not emptied".
struct FailedWords {
  const char* one;
  const char* many;
  bool countOne;
};

FailedWords failedWords(TargetKind kind) {
  switch (kind) {
    case TargetKind::File: return {"file", "files", true};
    case TargetKind::Folder: return {"folder", "folders", true};
    case TargetKind::RegistryKey: return {"registry key", "registry keys", true};
    case TargetKind::RegistryValue: return {"registry value", "registry values", true};
    case TargetKind::Cookie: return {"cookie", "cookies", true};
    case TargetKind::HistoryEntry: return {"history entry", "history entries", true};
    case TargetKind::CacheEntry: return {"cache entry", "cache entries", true};
    case TargetKind::Clipboard: return {"clipboard in use", "clipboard in use", false};
    case TargetKind::RecycleBin: return {"Recycle Bin not emptied", "Recycle Bins not emptied", false};
    case TargetKind::Setting: return {"setting not changed", "settings not changed", true};
    case TargetKind::FormEntry: return {"form entry", "form entries", true};
    case TargetKind::Item: break;
  }
  return {"other", "others", true};
}

}  // namespace

unsigned LeftBehind::total() const {
  unsigned n = tooDeep + inUse + hiddenOrSystem + readOnly + denied + links + atRestart + othersFolders;
  for (unsigned count : failed) n += count;
  return n;
}

void LeftBehind::add(const LeftBehind& other) {
  tooDeep += other.tooDeep;
  inUse += other.inUse;
  hiddenOrSystem += other.hiddenOrSystem;
  readOnly += other.readOnly;
  denied += other.denied;
  links += other.links;
  atRestart += other.atRestart;
  othersFolders += other.othersFolders;
  notOverwritten += other.notOverwritten;
  for (size_t kind = 0; kind < kTargetKinds; ++kind) failed[kind] += other.failed[kind];
}

std::string LeftBehind::describe() const {
  if (total() == 0) return std::string();
  std::string text = std::to_string(total()) + ":";
  const char* separator = " ";
  auto part = [&](unsigned count, const char* one, const char* many, bool countOne = true) {
    if (count == 0) return;
    text += separator;
    if (count > 1 || countOne) text += std::to_string(count) + " ";
    text += count == 1 ? one : many;
    separator = ", ";
  };
  part(inUse, "in use", "in use");
  part(hiddenOrSystem, "hidden or system", "hidden or system");
  part(readOnly, "read-only", "read-only");
  part(denied, "access denied", "access denied");
  part(tooDeep, "too deep", "too deep");
  part(links, "link", "links");
  part(othersFolders, "folder of every user", "folders of every user");
  for (size_t kind = 0; kind < kTargetKinds; ++kind) {
    const FailedWords words = failedWords(static_cast<TargetKind>(kind));
    part(failed[kind], words.one, words.many, words.countOne);
  }
  part(atRestart, "at the next restart", "at the next restart");
  return text;
}

namespace {

std::string linePart(const LeftBehind& left) {
  if (left.total() == left.atRestart)
    return "Done, " + std::to_string(left.atRestart) + (left.atRestart == 1 ? " file goes" : " files go") +
           " at the next restart";
  return "Done, but left " + left.describe();
}

}  // namespace

std::string LeftBehind::closingLine() const {
  if (notOverwritten == 0) return total() == 0 ? "Done..." : linePart(*this);
  const std::string removed =
      std::to_string(notOverwritten) + (notOverwritten == 1 ? " file" : " files") + " removed but not overwritten";
  return total() == 0 ? "Done, " + removed : linePart(*this) + "; " + removed;
}

}  // namespace erase
