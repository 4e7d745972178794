#include "erase/LeftBehind.h"

namespace erase {

void LeftBehind::add(const LeftBehind& other) {
  tooDeep += other.tooDeep;
  inUse += other.inUse;
  hiddenOrSystem += other.hiddenOrSystem;
  readOnly += other.readOnly;
  denied += other.denied;
  links += other.links;
  atRestart += other.atRestart;
  othersFolders += other.othersFolders;
}

std::string LeftBehind::describe() const {
  if (total() == 0) return std::string();
  std::string text = std::to_string(total()) + ":";
  const char* separator = " ";
  auto part = [&](unsigned count, const char* one, const char* many) {
    if (count == 0) return;
    text += separator + std::to_string(count) + " " + (count == 1 ? one : many);
    separator = ", ";
  };
  part(inUse, "in use", "in use");
  part(hiddenOrSystem, "hidden or system", "hidden or system");
  part(readOnly, "read-only", "read-only");
  part(denied, "access denied", "access denied");
  part(tooDeep, "too deep", "too deep");
  part(links, "link", "links");
  part(othersFolders, "folder of every user", "folders of every user");
  part(atRestart, "at the next restart", "at the next restart");
  return text;
}

std::string LeftBehind::closingLine() const {
  if (total() == 0) return "Done...";
  if (total() == atRestart)
    return "Done, " + std::to_string(atRestart) + (atRestart == 1 ? " file goes" : " files go") + " at the next restart";
  return "Done, but left " + describe();
}

}  // namespace erase
