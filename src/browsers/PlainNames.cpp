#include "browsers/PlainNames.h"

#include "clean/PlainPath.h"
#include "erase/FolderPaths.h"

namespace browsers {

bool IsPlainFolderPath(const std::string& text) {
  if (!clean::IsPlainRelativePath(text)) return false;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\\', start);
    if (erase::IsDeviceName(text.substr(start, end == std::string::npos ? std::string::npos : end - start)))
      return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

}  // namespace browsers
