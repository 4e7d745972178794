#include "platform/sim/SimSnapshot.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace platform::sim {

namespace {

std::string hex(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}

// Bytes as text, the unprintable ones escaped, so that a difference reads in a test's output.
std::string printable(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      text += escaped;
    }
  }
  return text;
}

std::vector<std::string> namesIn(const std::string& hostDir) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(hostDir.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string readAll(const std::string& host) {
  std::string data;
  if (FILE* file = std::fopen(host.c_str(), "rb")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, got);
    std::fclose(file);
  }
  return data;
}

}  // namespace

// A folder's own time follows what is put in it and taken out again (and FAT keeps none):
// its entries tell what changed.
void SimFileSystem::capture(MachineState* state, const std::string& hostDir, const std::string& shown) const {
  for (const std::string& name : namesIn(hostDir)) {
    const std::string host = hostDir + "/" + name;
    const std::string where = shown.empty() ? name : shown + "\\" + name;
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0) continue;
    const auto overlay = attributes_.find(host);
    const std::string attributes =
        "attributes=" + hex(overlay == attributes_.end() ? 0 : overlay->second);
    if (S_ISLNK(st.st_mode)) {
      char target[4096];
      const ssize_t length = ::readlink(host.c_str(), target, sizeof target - 1);
      (*state)["link " + where] = attributes + " to=" + std::string(target, length > 0 ? length : 0);
    } else if (S_ISDIR(st.st_mode)) {
      (*state)["folder " + where] = attributes;
      capture(state, host, where);
    } else {
      (*state)["file " + where] = attributes + " written=" + std::to_string(st.st_mtim.tv_sec) + "." +
                                  std::to_string(st.st_mtim.tv_nsec) + " data=" + printable(readAll(host));
    }
  }
}

void SimRegistry::capture(MachineState* state) const {
  struct Walker {
    MachineState* state;
    void walk(const Key& key, const std::string& path) {
      (*state)["key " + path] = key.link ? "link" : "";
      for (const Value& value : key.values)
        (*state)["value " + path + "\\[" + value.name + "]"] =
            "type=" + std::to_string(value.type) +
            " data=" + printable(std::string(value.data.begin(), value.data.end()));
      for (const auto& sub : key.subKeys)
        if (!sub->deleted) walk(*sub, path + "\\" + sub->name);
    }
  } walker{state};
  for (const auto& [root, key] : roots_) walker.walk(*key, key->name);
}

MachineState captureMachine(SimMachine& machine) {
  MachineState state;
  machine.files.capture(&state, machine.files.hostRoot(), "");
  machine.registry.capture(&state);
  const SimShell& shell = machine.shell;
  state["clipboard"] = printable(shell.clipboardText) + (shell.clipboardOpen ? " (open)" : "");
  for (const auto& [drive, items] : shell.recycleBins)
    state["recycle bin " + drive] = std::to_string(items) + " items, " +
                                    std::to_string(shell.recycleBinBytes.count(drive) ? shell.recycleBinBytes.at(drive) : 0) +
                                    " bytes";
  for (size_t i = 0; i < shell.recentDocuments.size(); ++i)
    state["recent document " + std::to_string(i)] = shell.recentDocuments[i];
  for (const std::string& url : machine.urlCache.urls()) state["cache entry " + url] = "";
  for (const std::string& url : machine.urlHistory.urls()) state["history entry " + url] = "";
  for (size_t i = 0; i < machine.launcher.requests.size(); ++i) {
    const SimLauncher::Request& request = machine.launcher.requests[i];
    state["started " + std::to_string(i)] = request.verb + " " + request.file + " " + request.parameters;
  }
  return state;
}

std::string machineDifferences(const MachineState& before, const MachineState& after, size_t limit) {
  std::vector<std::string> lines;
  for (const auto& [what, detail] : before) {
    const auto now = after.find(what);
    if (now == after.end())
      lines.push_back("gone " + what + " (" + detail + ")");
    else if (now->second != detail)
      lines.push_back("changed " + what + ": " + detail + " -> " + now->second);
  }
  for (const auto& [what, detail] : after)
    if (!before.count(what)) lines.push_back("new " + what + " (" + detail + ")");
  std::string text;
  for (size_t i = 0; i < lines.size() && i < limit; ++i) text += lines[i] + "\n";
  if (lines.size() > limit) text += "and " + std::to_string(lines.size() - limit) + " more\n";
  return text;
}

}  // namespace platform::sim
