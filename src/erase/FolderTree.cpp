#include "erase/FolderTree.h"

#include "erase/FolderWalk.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

bool DeleteFolderTree(const RunContext& run, std::string path) {
  try {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    FileSystem& fs = run.os.files;
    const uint32_t attributes = path.empty() ? fileattr::Invalid : fs.getAttributes(path);
    if (attributes == fileattr::Invalid || !(attributes & fileattr::Directory)) return false;
    // A link is neither followed nor removed: nothing outside the folder is touched.
    if (attributes & fileattr::ReparsePoint) return false;
    WalkFolderAt(run, path + "\\", true, TreeDeleteRules(), nullptr);
    return fs.getAttributes(path) == fileattr::Invalid;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace erase
